#pragma once
// The decompressor of one extraction run, created at its first compressed entry.
// It keeps its inflater and buffers from entry to entry. Two ways in:
// - Decompress: the whole of SourceFile, a bare zlib stream, into TargetFile;
// - Begin / Feed / End: a compressed body fed piece by piece, straight from the
//   archive, into an output file. Extraction uses this one and so needs no
//   temporary copy of the body on disk.
#include <QString>
#include <QtGlobal>
#include <vector>

#include "tallyhold/extract/Inflater.h"

namespace tallyhold {

class OutputFile;

class FileDecompressor {
 public:
  QString SourceFile;
  QString TargetFile;
  // The length the stream must inflate to (the entry's RealSize).
  qint64 ExpectedSize = 0;

  // TargetFile is replaced only by a complete result of exactly ExpectedSize
  // bytes; otherwise it stays as it was. Throws EntryDataError when the source
  // cannot be read or its stream is damaged, DestinationError when the target
  // cannot be written.
  void Decompress();

  // Inflates the bytes fed between Begin and End into out; End throws
  // EntryDataError unless exactly expectedSize bytes came out. Feed throws as
  // soon as the stream is damaged or passes expectedSize.
  void Begin(qint64 expectedSize, OutputFile& out);
  void Feed(const char* data, qint64 size);
  void End();

 private:
  Inflater inflater_;
  Inflater::Sink sink_;
  std::vector<char> input_;
};

}  // namespace tallyhold
