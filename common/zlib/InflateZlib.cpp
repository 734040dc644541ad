// zlib's inflate, the fallback where the build did not find ISA-L.
#include <zlib.h>

#include <new>

#include "common/zlib/InflateBackend.h"

namespace zlibstream {

struct InflateBackend::State {
  z_stream z{};
};

InflateBackend::InflateBackend() : state_(std::make_unique<State>()) {
  if (inflateInit(&state_->z) != Z_OK) throw std::bad_alloc();
}

InflateBackend::~InflateBackend() { inflateEnd(&state_->z); }

void InflateBackend::Reset() { inflateReset(&state_->z); }

void InflateBackend::SetInput(const char* data, qint64 size) {
  state_->z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
  state_->z.avail_in = static_cast<uInt>(size);
}

InflateBackend::Step InflateBackend::Inflate(char* out, qint64 outSize) {
  z_stream& z = state_->z;
  z.next_out = reinterpret_cast<Bytef*>(out);
  z.avail_out = static_cast<uInt>(outSize);
  const int code = inflate(&z, Z_NO_FLUSH);
  if (code == Z_MEM_ERROR) throw std::bad_alloc();
  Step step{outSize - z.avail_out, code == Z_STREAM_END, z.avail_out == 0, {}};
  if (code != Z_OK && code != Z_STREAM_END && code != Z_BUF_ERROR)
    step.damage = QString::fromLatin1(z.msg ? z.msg : zError(code));
  return step;
}

qint64 InflateBackend::Unread() const { return state_->z.avail_in; }

}  // namespace zlibstream
