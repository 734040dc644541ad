#pragma once
// The decompressor of one extraction run (of each of its workers), made at its
// first compressed entry and kept from entry to entry with its buffers. A
// compressed body, a bare zlib stream, is fed to it in pieces straight from the
// archive; what it inflates goes on in bounded chunks, so memory stays the
// same whatever the size. The one place where bodies are inflated, with the
// library InflateStream names.
#include <QtGlobal>
#include <functional>
#include <memory>
#include <vector>

namespace tallyhold {

class InflateStream;

class FileDecompressor {
 public:
  // Receives each chunk of inflated bytes in order.
  using Sink = std::function<void(const char* data, qint64 size)>;

  FileDecompressor();
  ~FileDecompressor();
  FileDecompressor(const FileDecompressor&) = delete;
  FileDecompressor& operator=(const FileDecompressor&) = delete;

  // Starts a stream that must inflate to exactly expectedSize bytes.
  void Begin(qint64 expectedSize, Sink sink);
  // Inflates the next compressed bytes. Throws EntryDataError as soon as the
  // stream is damaged or its output would pass the expected size; no byte
  // beyond the expected size ever reaches the sink.
  void Feed(const char* data, qint64 size);
  // Throws EntryDataError unless the stream has ended with exactly the
  // expected size. Bytes after the end of the stream are ignored.
  void End();

 private:
  std::unique_ptr<InflateStream> stream_;
  std::vector<char> output_;
  Sink sink_;
  qint64 expected_ = 0;
  qint64 produced_ = 0;
  bool ended_ = false;
};

}  // namespace tallyhold
