// The archive browser's reading of a file: the validity test, the fixed values,
// every record into the folders and the tree nodes, and the top-level listing.
#include "common/dat/DatFormat.h"
#include "common/platform/MemorySource.h"
#include "engine/archive/FolderListing.h"
#include "fuzz/ModelScan.h"

using namespace engine;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Odd-sized pieces: every read may come back short, as a file's may.
  const platform::MemorySource source(
      QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)), 7);
  ClsDatFile archive;
  if (dat::IsSkarrow2DAT(source)) {
    ScanInto(source, archive);
    const FolderListing listing = FolderListing::Of(archive.ColTrees(), "\\");
    for (int row = 0; row < listing.RowCount(); ++row)
      for (int column = 0; column < FolderListing::ColumnCount; ++column) listing.Cell(row, column);
  }
  return 0;
}
