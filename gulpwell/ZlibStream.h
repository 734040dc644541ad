#pragma once
// One deflate or inflate run over input that arrives in pieces; every piece of
// output goes to a sink as soon as zlib produces it, so memory stays small
// whatever the size of the data.
#include <zlib.h>

#include <QByteArray>
#include <QByteArrayView>
#include <functional>

namespace gulpwell {

// Takes one piece of output (which it may change in place); false stops the run.
using Sink = std::function<bool(char* bytes, qsizetype size)>;

class ZlibStream {
 public:
  enum class Mode { Deflate, Inflate };

  explicit ZlibStream(Mode mode);
  ~ZlibStream();
  ZlibStream(const ZlibStream&) = delete;
  ZlibStream& operator=(const ZlibStream&) = delete;

  // Passes a piece through; last marks the end of the input. Returns Z_OK while
  // more input is wanted, Z_STREAM_END once the stream is complete, Z_ERRNO when
  // the sink refused, Z_DATA_ERROR for a damaged or incomplete stream, or
  // another zlib error.
  int Feed(QByteArrayView piece, bool last, const Sink& sink);

  // zlib's words for the last failure, empty when it gave none.
  QByteArray message() const;

 private:
  int run(bool last, const Sink& sink);

  Mode mode_;
  z_stream stream_{};
  int status_;
  QByteArray out_;
};

}  // namespace gulpwell
