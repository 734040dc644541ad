#pragma once
// Reading an archive's directory into its folders and the folder tree's nodes:
// the model side of the directory scan. The window side shows the progress,
// yields to events and puts the nodes into the tree pane.
#include <memory>
#include <vector>

#include "common/dat/DatRecord.h"
#include "engine/archive/ClsDatFile.h"
#include "engine/archive/DirectoryWalk.h"
#include "engine/archive/FolderTree.h"

namespace engine {

// Files the entry into the folder of its FilePath, creating the folder at its
// first entry. Paths that differ only in letter case are one folder, named by
// the spelling met first; the folder is found by a hash lookup. `hint` (the
// folder used last) spares the lookup for the next entry of the same folder.
ColSubTree& AddToFolder(ColTrees& trees, std::shared_ptr<ClsTreeDir> entry, ColSubTree* hint = nullptr);

// The entry of one directory record.
ClsTreeDir TreeDirOf(dat::DirRecord&& record);
std::shared_ptr<ClsTreeDir> NewTreeDir(dat::DirRecord&& record);

// Walks the directory of a freshly opened archive one record at a time.
class DirTreeReader {
 public:
  // Reads the directory from the archive's source in bounded pieces, as far
  // as the records go.
  DirTreeReader(const platform::ArchiveSource& source, ClsDatFile& archive);

  // Reads the next record, files its entry into its folder and returns the
  // tree nodes it adds. Throws ArchiveRefused for a record that does not lie
  // inside the directory or cannot be read; nothing is filed then.
  const std::vector<TreeNode>& ReadNext();

  int RecordsRead() const { return walk_.RecordsRead(); }

 private:
  DirectoryWalk walk_;
  ColTrees& trees_;
  ColSubTree* lastFolder_ = nullptr;
  QByteArray lastPath_;  // the folder part of the entry read last
  FolderTreeStep treeStep_;
  std::vector<TreeNode> nodes_;
};

// The bar of the scan moves by one for every fourth entry: first at entry 5,
// then at 9, 13 and so on.
class ScanProgressStep {
 public:
  // Counts one entry; true when the bar moves.
  bool Next() {
    if (counter_ < 4) {
      ++counter_;
      return false;
    }
    counter_ = 1;
    return true;
  }

 private:
  int counter_ = 0;
};

}  // namespace engine
