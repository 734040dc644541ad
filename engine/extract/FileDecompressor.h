#pragma once
// The decompressor of one extraction run (of each of its workers), made at its
// first compressed entry and kept from entry to entry with its buffers. A
// compressed body, a bare zlib stream, is fed to it in pieces straight from the
// archive; what it inflates goes on in bounded chunks, so memory stays the
// same whatever the size. The one place where bodies are inflated.
#include <QtGlobal>
#include <functional>

#include "common/zlib/ZlibStream.h"

namespace engine {

class FileDecompressor {
 public:
  // Receives each chunk of inflated bytes in order.
  using Sink = std::function<void(const char* data, qint64 size)>;

  FileDecompressor();

  // Starts a stream that must inflate to exactly expectedSize bytes.
  void Begin(qint64 expectedSize, Sink sink);
  // Inflates the next compressed bytes. Throws EntryDataError as soon as the
  // stream is damaged or its output would pass the expected size; no byte
  // beyond the expected size ever reaches the sink.
  void Feed(const char* data, qint64 size);
  // Throws EntryDataError unless the stream has ended with exactly the
  // expected size. Bytes after the end of the stream are allowed, as zlib
  // allows them.
  void End();
  // How many bytes were fed after the end of the stream.
  qint64 Trailing() const { return stream_.Trailing(); }

 private:
  bool take(const char* data, qsizetype size);

  zlibstream::ZlibStream stream_;
  Sink sink_;
  qint64 expected_ = 0;
  qint64 produced_ = 0;
  zlibstream::Status status_ = zlibstream::Status::More;
};

}  // namespace engine
