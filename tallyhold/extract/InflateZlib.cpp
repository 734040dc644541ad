// zlib's inflate, the fallback where the build did not find ISA-L.
#include <zlib.h>

#include <new>

#include "tallyhold/extract/ExtractErrors.h"
#include "tallyhold/extract/InflateStream.h"

namespace tallyhold {

struct InflateStream::State {
  z_stream z{};
};

InflateStream::InflateStream() : state_(std::make_unique<State>()) {
  if (inflateInit(&state_->z) != Z_OK) throw std::bad_alloc();
}

InflateStream::~InflateStream() { inflateEnd(&state_->z); }

void InflateStream::Reset() { inflateReset(&state_->z); }

void InflateStream::SetInput(const char* data, qint64 size) {
  state_->z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
  state_->z.avail_in = static_cast<uInt>(size);
}

InflateStream::Step InflateStream::Inflate(char* out, qint64 outSize) {
  z_stream& z = state_->z;
  z.next_out = reinterpret_cast<Bytef*>(out);
  z.avail_out = static_cast<uInt>(outSize);
  const int code = inflate(&z, Z_NO_FLUSH);
  if (code != Z_OK && code != Z_STREAM_END && code != Z_BUF_ERROR) {
    const QString detail = QString::fromLatin1(z.msg ? z.msg : zError(code));
    throw EntryDataError(QStringLiteral("the compressed data are damaged (%1)").arg(detail));
  }
  return {outSize - z.avail_out, code == Z_STREAM_END, z.avail_out == 0};
}

}  // namespace tallyhold
