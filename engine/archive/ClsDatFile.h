#pragma once
#include <QString>
#include <cstdint>
#include <memory>

#include "common/dat/DatFormat.h"
#include "engine/archive/ColTrees.h"

namespace engine {

// One loaded archive.
class ClsDatFile {
 public:
  QString Key;  // full path of the archive file

  // Reading it when it is empty creates and stores a new, empty one first.
  engine::ColTrees& ColTrees();
  // The same folders for a reader that may outlive the archive (a search).
  std::shared_ptr<const engine::ColTrees> SharedColTrees();
  // Replaces the folders; null clears them.
  void SetColTrees(std::shared_ptr<engine::ColTrees> trees) { trees_ = std::move(trees); }
  // The values read from the archive's trailer.
  void SetFixedInfo(const dat::FixedDATInfo& info);

  int32_t FilesTotal = 0;
  int32_t DirTreeAddr = 0;
  int32_t TreeSize = 0;
  int32_t DataSize = 0;
  int32_t Index = 0;  // the archive number, which is its open file's number

 private:
  std::shared_ptr<engine::ColTrees> trees_;
};

}  // namespace engine
