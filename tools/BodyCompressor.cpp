#include "tools/BodyCompressor.h"

#include <libdeflate.h>
#include <zlib.h>

#include <new>

namespace tools {
namespace {

constexpr qsizetype OutputChunk = 1 << 20;

}  // namespace

WholeBodyCompressor::WholeBodyCompressor(int level) : compressor_(libdeflate_alloc_compressor(level)) {
  if (!compressor_) throw std::bad_alloc();
}

WholeBodyCompressor::~WholeBodyCompressor() { libdeflate_free_compressor(compressor_); }

bool WholeBodyCompressor::Compress(const QByteArray& data, QByteArray& out) {
  if (data.isEmpty()) return false;
  out.resize(data.size() - 1);
  const std::size_t size =
      libdeflate_zlib_compress(compressor_, data.constData(), data.size(), out.data(), out.size());
  out.resize(static_cast<qsizetype>(size));
  return size > 0;
}

struct StreamingBodyCompressor::Stream {
  z_stream z{};
};

StreamingBodyCompressor::StreamingBodyCompressor(int level, Sink sink)
    : stream_(std::make_unique<Stream>()), output_(OutputChunk, Qt::Uninitialized), sink_(std::move(sink)) {
  if (deflateInit(&stream_->z, level) != Z_OK) throw std::bad_alloc();
}

StreamingBodyCompressor::~StreamingBodyCompressor() { deflateEnd(&stream_->z); }

void StreamingBodyCompressor::Feed(const char* data, qint64 size) {
  stream_->z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
  stream_->z.avail_in = static_cast<uInt>(size);
  deflateAll(Z_NO_FLUSH);
}

void StreamingBodyCompressor::Finish() { deflateAll(Z_FINISH); }

void StreamingBodyCompressor::deflateAll(int flush) {
  z_stream& z = stream_->z;
  int code = Z_OK;
  do {
    z.next_out = reinterpret_cast<Bytef*>(output_.data());
    z.avail_out = static_cast<uInt>(output_.size());
    code = deflate(&z, flush);
    const qint64 made = output_.size() - z.avail_out;
    if (made > 0) sink_(output_.constData(), made);
  } while (z.avail_out == 0 || (flush == Z_FINISH && code != Z_STREAM_END));
}

}  // namespace tools
