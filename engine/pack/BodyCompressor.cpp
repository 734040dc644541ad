#include "engine/pack/BodyCompressor.h"

#include <libdeflate.h>

#include <new>

namespace engine {

WholeBodyCompressor::WholeBodyCompressor(int level) : compressor_(libdeflate_alloc_compressor(level)) {
  if (!compressor_) throw std::bad_alloc();
}

WholeBodyCompressor::~WholeBodyCompressor() { libdeflate_free_compressor(compressor_); }

bool WholeBodyCompressor::Compress(const QByteArray& data, QByteArray& out) {
  if (data.isEmpty()) return false;
  out.resize(data.size() - 1);
  const std::size_t size = libdeflate_zlib_compress(compressor_, data.constData(), data.size(), out.data(),
                                                    out.size());
  out.resize(static_cast<qsizetype>(size));
  return size > 0;
}

StreamingBodyCompressor::StreamingBodyCompressor(int level, Sink sink)
    : stream_(zlibstream::ZlibStream::Mode::Deflate, level),
      sink_([take = std::move(sink)](char* data, qsizetype size) {
        take(data, size);
        return true;
      }) {}

void StreamingBodyCompressor::Feed(const char* data, qint64 size) {
  stream_.Feed(QByteArrayView(data, size), false, sink_);
}

void StreamingBodyCompressor::Finish() { stream_.Feed({}, true, sink_); }

}  // namespace engine
