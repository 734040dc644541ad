// The extraction decompressor on arbitrary streams: the first 3 bytes give the
// expected length, the rest is the stream. A result is whole or absent.
#include <QFile>

#include "fuzz/FuzzFile.h"
#include "tallyhold/extract/ExtractErrors.h"
#include "tallyhold/extract/FileDecompressor.h"

using namespace tallyhold;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  // One decompressor serves a whole extraction run, so it serves every input here.
  static FileDecompressor decompressor;
  decompressor.ExpectedSize = data[0] | (data[1] << 8) | (data[2] << 16);
  decompressor.SourceFile = WriteInput(data + 3, size - 3, ".zlib");
  decompressor.TargetFile = ScratchPath(".out");
  QFile::remove(decompressor.TargetFile);
  try {
    decompressor.Decompress();
    Require(QFile(decompressor.TargetFile).size() == decompressor.ExpectedSize,
            "an inflated file has exactly the expected length");
  } catch (const EntryDataError&) {
    Require(!QFile::exists(decompressor.TargetFile), "a damaged stream leaves no output");
  }
  return 0;
}
