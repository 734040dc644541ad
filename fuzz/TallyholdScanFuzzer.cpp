// The archive browser's reading of a file: the validity test, the fixed values,
// every record into the folders and the tree nodes, and the top-level listing.
#include "common/dat/DatFormat.h"
#include "common/platform/FileNumbers.h"
#include "engine/archive/DATFunctions.h"
#include "engine/archive/FolderListing.h"
#include "fuzz/FuzzFile.h"

using namespace engine;

namespace {

int filedEntries(ClsDatFile& archive) {
  int count = 0;
  for (const auto& folder : archive.ColTrees()) count += folder->Count();
  return count;
}

void scan(int fileNo, ClsDatFile& archive) {
  const dat::FixedDATInfo info = dat::GetFixedDATInfo(fileNo, platform::FileLength(fileNo));
  archive.DirTreeAddr = info.DirTreeAddr;
  archive.FilesTotal = info.FilesTotal;
  DirTreeReader reader(fileNo, archive);
  for (int i = 0; i < info.FilesTotal; ++i) {
    for (const TreeNode& node : reader.ReadNext()) Require(!node.Key.isEmpty(), "node without key");
    Require(filedEntries(archive) == reader.RecordsRead(), "every record read is filed once");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString path = WriteInput(data, size);
  const int fileNo = platform::FreeFile();
  if (!dat::OpenDAT(path, fileNo)) return 0;
  ClsDatFile archive;
  if (dat::IsSkarrow2DAT(fileNo, path)) {
    try {
      scan(fileNo, archive);
    } catch (const dat::DatError&) {
    }
    const FolderListing listing = FolderListing::Of(archive.ColTrees(), "\\");
    for (int row = 0; row < listing.RowCount(); ++row)
      for (int column = 0; column < FolderListing::ColumnCount; ++column) listing.Cell(row, column);
  }
  platform::CloseAll();
  return 0;
}
