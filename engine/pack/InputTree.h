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

struct InputTree {
  // Each folder that holds files, as its names on disk below the input folder.
  std::vector<std::vector<std::string>> folders;
  std::vector<InputFile> files;
  QStringList leftOut;  // "path: reason" of what is not packed (links, special files, unreadable folders)
  QStringList refused;  // "path: reason" of files an archive cannot hold (their names, their size)
  qint64 bytes = 0;
};

// A name in a folder that is not packed: the archive's own name, when it lies
// inside the input (what stands there is what the archive replaces). Only
// that name is left out, never another link to the same file.
struct Skipped {
  platform::FolderHandle::Identity folder;
  std::string name;
};

// root: the input folder, shown as rootShown in messages.
void WalkInput(const platform::FolderHandle& root, const QString& rootShown, const Skipped& skip, InputTree& tree);

}  // namespace engine
