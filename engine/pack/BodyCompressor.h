#pragma once
// The compressed bodies create writes, bare zlib streams as the archive keeps
// them. A body held whole in memory goes through libdeflate, which makes
// streams of zlib's size at two to three times its speed but only from whole
// buffers; a body too large to hold goes through zlib's deflate in pieces, so
// that memory stays bounded whatever its size.
#include <QByteArray>
#include <functional>

#include "common/zlib/ZlibStream.h"

struct libdeflate_compressor;

namespace engine {

// Levels 1 (fastest) to 9 (smallest), as zlib counts them.
class WholeBodyCompressor {
 public:
  explicit WholeBodyCompressor(int level);
  ~WholeBodyCompressor();
  WholeBodyCompressor(const WholeBodyCompressor&) = delete;
  WholeBodyCompressor& operator=(const WholeBodyCompressor&) = delete;

  // The stream into out when it is smaller than the data; false otherwise.
  bool Compress(const QByteArray& data, QByteArray& out);

 private:
  libdeflate_compressor* compressor_;
};

class StreamingBodyCompressor {
 public:
  using Sink = std::function<void(const char* data, qint64 size)>;

  StreamingBodyCompressor(int level, Sink sink);

  void Feed(const char* data, qint64 size);
  void Finish();

 private:
  zlibstream::ZlibStream stream_;
  zlibstream::Sink sink_;
};

}  // namespace engine
