#include "common/zlib/ZlibStream.h"

#include <zlib.h>

#include <new>

#include "common/zlib/InflateBackend.h"

namespace zlibstream {
namespace {
constexpr qsizetype OutputPiece = 256 * 1024;
}  // namespace

struct ZlibStream::Deflater {
  explicit Deflater(int level) {
    if (deflateInit(&z, level) != Z_OK) throw std::bad_alloc();
  }
  ~Deflater() { deflateEnd(&z); }
  z_stream z{};
};

ZlibStream::ZlibStream(Mode mode, int level) : mode_(mode), out_(OutputPiece, Qt::Uninitialized) {
  if (mode == Mode::Deflate)
    deflater_ = std::make_unique<Deflater>(level);
  else
    inflater_ = std::make_unique<InflateBackend>();
}

ZlibStream::~ZlibStream() = default;

void ZlibStream::Reset() {
  if (deflater_) deflateReset(&deflater_->z);
  if (inflater_) inflater_->Reset();
  status_ = Status::More;
  message_.clear();
  trailing_ = 0;
}

Status ZlibStream::Feed(QByteArrayView piece, bool last, const Sink& sink) {
  if (status_ == Status::End && inflater_) trailing_ += piece.size();
  if (status_ != Status::More) return status_;
  status_ = mode_ == Mode::Deflate ? deflateRun(piece, last, sink) : inflateRun(piece, last, sink);
  return status_;
}

Status ZlibStream::deflateRun(QByteArrayView piece, bool last, const Sink& sink) {
  z_stream& z = deflater_->z;
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(piece.data()));
  // Pieces are far below 4 GiB, the most one zlib call takes.
  z.avail_in = static_cast<uInt>(piece.size());
  const int flush = last ? Z_FINISH : Z_NO_FLUSH;
  int code = Z_OK;
  do {
    z.next_out = reinterpret_cast<Bytef*>(out_.data());
    z.avail_out = static_cast<uInt>(out_.size());
    code = deflate(&z, flush);
    const qsizetype produced = out_.size() - z.avail_out;
    if (produced > 0 && !sink(out_.data(), produced)) return Status::SinkRefused;
  } while (z.avail_out == 0 || (last && code != Z_STREAM_END));
  return last ? Status::End : Status::More;
}

// What a damaged call produced is dropped: no byte of a bad stream goes on.
Status ZlibStream::inflateRun(QByteArrayView piece, bool last, const Sink& sink) {
  inflater_->SetInput(piece.data(), piece.size());
  for (;;) {
    const InflateBackend::Step step = inflater_->Inflate(out_.data(), out_.size());
    if (!step.damage.isEmpty()) return damaged(step.damage);
    if (step.produced > 0 && !sink(out_.data(), step.produced)) return Status::SinkRefused;
    if (step.ended) {
      trailing_ = inflater_->Unread();
      return Status::End;
    }
    // Output room left over means the input is used up.
    if (!step.outputFull) break;
  }
  // All of the input is in and the stream has not ended: it is cut short.
  return last ? damaged({}) : Status::More;
}

Status ZlibStream::damaged(const QString& words) {
  message_ = words;
  return Status::Damaged;
}

}  // namespace zlibstream
