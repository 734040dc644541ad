#pragma once
// The program's private folder for the files of its drags: made at the first
// drag that gives its data, by mkdtemp (mode 0700, a fresh name that no one
// could have planted), one folder per drag inside it, and removed with all it
// holds at program end; a run that died leaves it to the next run's first
// drag, which knows it by the lock no live run holds on it any more. Nothing
// is removed through a symbolic link.
#include <QString>
#include <string>

namespace tallyhold::dragfolder {

// The folder's path, made at the first call; empty when it cannot be made,
// with the system's error number in error.
QString Path(int& error);

// The name of a new drag's folder inside it (not made here): never used
// before in this run.
std::string NextName();

// One drag's folder and what it holds.
void Remove(const std::string& name);

// The whole folder; a later drag makes a new one.
void RemoveAll();

}  // namespace tallyhold::dragfolder
