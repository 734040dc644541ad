#pragma once
// What create packs from a folder, found by walking it by descriptor: regular
// files only (links are never followed, special files never read), names
// sorted so that the same folder gives the same archive, the files of one
// folder together. Names the archive cannot hold are refused here, before
// anything is written; so is a folder whose names would all be too long,
// before it is opened, which also bounds how deep the walk goes.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

#include "common/platform/FolderHandle.h"

namespace engine {

struct InputFile {
  QByteArray name;  // the entry's name: Latin-1, "\" between folders
  int folder = 0;   // in InputTree::folders
  std::string diskName;
  qint64 size = 0;  // when the folder was walked
};

// A folder that holds files: its names on disk below the input folder it was
// walked from, and its path as messages show it.
struct InputFolder {
  int root = 0;  // in the input folders the packer is given
  std::vector<std::string> path;
  QString shown;
};

struct InputTree {
  std::vector<InputFolder> folders;
  std::vector<InputFile> files;
  QStringList leftOut;  // "path: reason" of what is not packed (links, special files, unreadable folders)
  QStringList refused;  // "path: reason" of files an archive cannot hold (their names, their size)
  qint64 bytes = 0;
};

// A name in a folder that is not packed: the archive's own name, when it lies
// inside the input (what stands there is what the archive replaces). Only
// that name is left out, never another link to the same file. file: the
// file being written, when the archive goes to standard output and that is
// a file, which may lie in the input under any name.
struct Skipped {
  platform::FolderHandle::Identity folder;
  std::string name;
  platform::FolderHandle::Identity file{};
};

// Where the names a walk finds go: below an archive folder (prefix: "A\B\",
// or empty for the top), and, when only is set, from that one name of the
// input folder, a file or a folder, instead of from all of its names. root:
// the input folder's place in the packer's list, when a tree is walked from
// several.
struct WalkScope {
  QByteArray prefix;
  std::string only;
  int root = 0;
};

// root: the input folder, shown as rootShown in messages. Several walks into
// one tree add to it.
void WalkInput(const platform::FolderHandle& root, const QString& rootShown, const Skipped& skip, InputTree& tree,
               const WalkScope& scope = {});

}  // namespace engine
