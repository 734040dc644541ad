// A compressed entry extracted as the programs extract it: the first 3 bytes
// give RealSize, the rest is the entry's body, the whole archive file. The
// entry's file is whole or absent, and nothing else is left behind.
#include <QDir>
#include <QFile>

#include "common/platform/FileNumbers.h"
#include "fuzz/FuzzFile.h"
#include "tallyhold/archive/ClsTreeDir.h"
#include "tallyhold/extract/ExtractEntry.h"
#include "tallyhold/extract/FileDecompressor.h"

using namespace tallyhold;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  static const QString folder = [] {
    const QString made = ScratchPath(".out");
    QDir(made).removeRecursively();
    QDir().mkpath(made);
    return made;
  }();
  // One decompressor serves a whole extraction run, so it serves every input here.
  static std::unique_ptr<FileDecompressor> decompressor;
  ClsTreeDir entry;
  entry.Filename = "OUT.BIN";
  entry.fType = 1;
  entry.RealSize = data[0] | (data[1] << 8) | (data[2] << 16);
  entry.PackedSize = static_cast<int32_t>(size - 3);
  const int fileNo = platform::FreeFile();
  Require(platform::OpenFile(fileNo, WriteInput(data + 3, size - 3, ".body")), "the body cannot be opened");
  ExtractDestination destination(folder, {}, ExtractDestination::Layout::Flat);
  EntryObserver quiet;
  const ExtractResult result = ExtractEntry(entry, fileNo, decompressor, destination, quiet);
  platform::CloseFile(fileNo);
  const QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden);
  if (result.outcome == ExtractOutcome::Extracted) {
    Require(left == QStringList{"OUT.BIN"}, "an extracted entry leaves its file alone");
    Require(QFile(folder + "/OUT.BIN").size() == entry.RealSize, "an extracted file has exactly RealSize bytes");
    QFile::remove(folder + "/OUT.BIN");
  } else {
    Require(left.isEmpty(), "a damaged stream leaves nothing");
  }
  return 0;
}
