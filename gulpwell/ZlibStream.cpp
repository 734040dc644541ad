#include "gulpwell/ZlibStream.h"

namespace gulpwell {
namespace {
constexpr qsizetype OutputPiece = 256 * 1024;
}  // namespace

ZlibStream::ZlibStream(Mode mode) : mode_(mode), out_(OutputPiece, Qt::Uninitialized) {
  status_ = mode == Mode::Deflate ? deflateInit(&stream_, Z_DEFAULT_COMPRESSION)
                                  : inflateInit(&stream_);
}

ZlibStream::~ZlibStream() {
  if (mode_ == Mode::Deflate)
    deflateEnd(&stream_);
  else
    inflateEnd(&stream_);
}

int ZlibStream::Feed(QByteArrayView piece, bool last, const Sink& sink) {
  if (status_ != Z_OK) return status_;
  stream_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(piece.data()));
  // Pieces are far below 4 GiB, the most one zlib call takes.
  stream_.avail_in = static_cast<uInt>(piece.size());
  status_ = run(last, sink);
  return status_;
}

QByteArray ZlibStream::message() const { return stream_.msg ? QByteArray(stream_.msg) : QByteArray(); }

int ZlibStream::run(bool last, const Sink& sink) {
  const int flush = last && mode_ == Mode::Deflate ? Z_FINISH : Z_NO_FLUSH;
  for (;;) {
    stream_.next_out = reinterpret_cast<Bytef*>(out_.data());
    stream_.avail_out = static_cast<uInt>(out_.size());
    const int result = mode_ == Mode::Deflate ? deflate(&stream_, flush) : inflate(&stream_, flush);
    const qsizetype produced = out_.size() - stream_.avail_out;
    if (produced > 0 && !sink(out_.data(), produced)) return Z_ERRNO;
    if (result == Z_BUF_ERROR) break;  // nothing more to do until more input comes
    if (result == Z_NEED_DICT) return Z_DATA_ERROR;
    if (result != Z_OK) return result;
    if (stream_.avail_out != 0 && stream_.avail_in == 0) break;
  }
  // All of the input is in and the stream has not ended: it is cut short.
  return last ? Z_DATA_ERROR : Z_OK;
}

}  // namespace gulpwell
