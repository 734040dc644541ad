// A compressed entry extracted as the programs extract it: the first 3 bytes
// give RealSize, the rest is the entry's body, the whole archive file. The
// entry's file is whole or absent, nothing else is left behind, and the entry
// is judged as zlib judges its stream, whichever library inflates it.
#include <zlib.h>

#include <QDir>
#include <QFile>
#include <vector>

#include "common/platform/MemorySource.h"
#include "engine/archive/ClsTreeDir.h"
#include "engine/extract/ExtractEntry.h"
#include "engine/extract/FileDecompressor.h"
#include "fuzz/FuzzSupport.h"

using namespace engine;

namespace {

struct ZlibVerdict {
  bool accepted = false;
  QByteArray out;
};

// zlib's verdict: the stream ends, with its checksum right, after exactly
// realSize bytes; what follows the stream does not count.
ZlibVerdict zlibVerdict(const uint8_t* body, size_t size, int32_t realSize) {
  ZlibVerdict verdict;
  std::vector<Bytef> buffer(static_cast<size_t>(realSize) + 1);
  z_stream z{};
  inflateInit(&z);
  z.next_in = const_cast<Bytef*>(body);
  z.avail_in = static_cast<uInt>(size);
  z.next_out = buffer.data();
  z.avail_out = static_cast<uInt>(buffer.size());
  const int code = inflate(&z, Z_FINISH);
  verdict.accepted = code == Z_STREAM_END && z.total_out == static_cast<uLong>(realSize);
  verdict.out = QByteArray(reinterpret_cast<const char*>(buffer.data()), static_cast<qsizetype>(z.total_out));
  inflateEnd(&z);
  return verdict;
}

}  // namespace

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
  const platform::MemorySource body(
      QByteArray(reinterpret_cast<const char*>(data + 3), static_cast<qsizetype>(size - 3)), 4093);
  ExtractDestination destination(folder, {}, ExtractDestination::Layout::Flat);
  EntryObserver quiet;
  const ExtractResult result = ExtractEntry(entry, body, decompressor, destination, quiet);
  const QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden);
  const ZlibVerdict zlib = zlibVerdict(data + 3, size - 3, entry.RealSize);
  const bool extracted = result.outcome == ExtractOutcome::Extracted;
  Require(extracted == zlib.accepted, "the entry is judged as zlib judges its stream");
  if (extracted) {
    Require(left == QStringList{"OUT.BIN"}, "an extracted entry leaves its file alone");
    QFile out(folder + "/OUT.BIN");
    Require(out.open(QIODevice::ReadOnly) && out.size() == entry.RealSize && out.readAll() == zlib.out,
            "an extracted file holds exactly RealSize bytes, those zlib inflates");
    QFile::remove(folder + "/OUT.BIN");
  } else {
    Require(left.isEmpty(), "a damaged stream leaves nothing");
  }
  return 0;
}
