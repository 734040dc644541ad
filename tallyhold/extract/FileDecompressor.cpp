#include "tallyhold/extract/FileDecompressor.h"

#include <zlib.h>

#include "tallyhold/extract/ExtractErrors.h"

namespace tallyhold {
namespace {

constexpr std::size_t OutputChunk = 1 << 20;

QString zlibReason(int code, const z_stream& stream) {
  const QString detail = stream.msg ? QString::fromLatin1(stream.msg) : QString::number(code);
  return QStringLiteral("the compressed data are damaged (%1)").arg(detail);
}

}  // namespace

struct FileDecompressor::Stream {
  z_stream z{};
};

FileDecompressor::FileDecompressor() : stream_(std::make_unique<Stream>()), output_(OutputChunk) {
  if (inflateInit(&stream_->z) != Z_OK) throw std::bad_alloc();
}

FileDecompressor::~FileDecompressor() { inflateEnd(&stream_->z); }

void FileDecompressor::Begin(qint64 expectedSize, Sink sink) {
  inflateReset(&stream_->z);
  sink_ = std::move(sink);
  expected_ = expectedSize;
  produced_ = 0;
  ended_ = false;
}

void FileDecompressor::Feed(const char* data, qint64 size) {
  if (ended_) return;
  z_stream& z = stream_->z;
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
  z.avail_in = static_cast<uInt>(size);
  for (;;) {
    z.next_out = reinterpret_cast<Bytef*>(output_.data());
    z.avail_out = static_cast<uInt>(output_.size());
    const int code = inflate(&z, Z_NO_FLUSH);
    if (code != Z_OK && code != Z_STREAM_END && code != Z_BUF_ERROR) throw EntryDataError(zlibReason(code, z));
    const qint64 chunk = static_cast<qint64>(output_.size() - z.avail_out);
    if (produced_ + chunk > expected_)
      throw EntryDataError(QStringLiteral("the compressed data inflate to more than %1 bytes").arg(expected_));
    if (chunk > 0) sink_(output_.data(), chunk);
    produced_ += chunk;
    ended_ = code == Z_STREAM_END;
    // Output room left over means the input is used up.
    if (ended_ || z.avail_out != 0) return;
  }
}

void FileDecompressor::End() {
  sink_ = nullptr;
  if (!ended_) throw EntryDataError(QStringLiteral("the compressed data end before the stream is complete"));
  if (produced_ != expected_)
    throw EntryDataError(QStringLiteral("the compressed data inflate to %1 bytes instead of %2")
                             .arg(produced_)
                             .arg(expected_));
}

}  // namespace tallyhold
