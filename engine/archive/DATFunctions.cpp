#include "engine/archive/DATFunctions.h"

#include "engine/archive/CommonFunctions.h"

namespace engine {
namespace {

dat::FixedDATInfo fixedInfoOf(const ClsDatFile& archive) {
  dat::FixedDATInfo info;
  info.TreeSize = archive.TreeSize;
  info.DataSize = archive.DataSize;
  info.DirTreeAddr = archive.DirTreeAddr;
  info.FilesTotal = archive.FilesTotal;
  return info;
}

// Files the entry into the folder of `path`, a view of its name's folder part:
// the path is copied only for a new folder.
ColSubTree& fileInto(ColTrees& trees, std::shared_ptr<ClsTreeDir> entry, QByteArrayView path, ColSubTree* hint) {
  ColSubTree* folder = hint && hint->TreePath == path ? hint : nullptr;
  if (!folder) {
    const QString key = QString::fromLatin1(path);
    std::shared_ptr<ColSubTree> found = trees.Find(key);
    if (!found) {
      found = std::make_shared<ColSubTree>();
      found->TreePath = path.toByteArray();
      trees.Add(found, key);
    }
    folder = found.get();
  }
  folder->Add(std::move(entry));
  return *folder;
}

}  // namespace

ColSubTree& AddToFolder(ColTrees& trees, std::shared_ptr<ClsTreeDir> entry, ColSubTree* hint) {
  const QByteArrayView path = FolderPathView(entry->Filename);
  return fileInto(trees, std::move(entry), path, hint);
}

ClsTreeDir TreeDirOf(dat::DirRecord&& record) {
  ClsTreeDir entry;
  entry.FilenameSize = record.FilenameSize;
  entry.Filename = std::move(record.Filename);
  entry.fType = record.Type;
  entry.Offset = record.Offset;
  entry.PackedSize = record.PackedSize;
  entry.RealSize = record.RealSize;
  return entry;
}

std::shared_ptr<ClsTreeDir> NewTreeDir(dat::DirRecord&& record) {
  return std::make_shared<ClsTreeDir>(TreeDirOf(std::move(record)));
}

DirTreeReader::DirTreeReader(const platform::ArchiveSource& source, ClsDatFile& archive)
    : walk_(source, fixedInfoOf(archive)), trees_(archive.ColTrees()) {}

const std::vector<TreeNode>& DirTreeReader::ReadNext() {
  std::shared_ptr<ClsTreeDir> entry = NewTreeDir(walk_.Next());
  nodes_.clear();
  // The tree's levels come from the folder part alone: an entry in the folder
  // of the entry before it adds no node.
  const QByteArrayView folder = FolderPathView(entry->Filename);
  if (folder != lastPath_) {
    treeStep_.Add(entry->Filename, nodes_);
    lastPath_ = folder.toByteArray();
  }
  lastFolder_ = &fileInto(trees_, std::move(entry), folder, lastFolder_);
  return nodes_;
}

}  // namespace engine
