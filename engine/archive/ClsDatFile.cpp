#include "engine/archive/ClsDatFile.h"

namespace engine {

ColTrees& ClsDatFile::ColTrees() {
  if (!trees_) trees_ = std::make_shared<engine::ColTrees>();
  return *trees_;
}

std::shared_ptr<const ColTrees> ClsDatFile::SharedColTrees() {
  ColTrees();
  return trees_;
}

void ClsDatFile::SetFixedInfo(const dat::FixedDATInfo& info) {
  DataSize = info.DataSize;
  TreeSize = info.TreeSize;
  DirTreeAddr = info.DirTreeAddr;
  FilesTotal = info.FilesTotal;
}

}  // namespace engine
