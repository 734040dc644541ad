#pragma once
// One deflate or inflate run over a bare zlib stream whose input arrives in
// pieces; every piece of output goes to a sink as soon as it is made, so memory
// stays small whatever the size of the data. Inflating goes through ISA-L where
// the build found it, zlib otherwise; deflating goes through zlib.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <functional>
#include <memory>

namespace zlibstream {

class InflateBackend;

// Takes one piece of output (which it may change in place); false stops the run.
using Sink = std::function<bool(char* bytes, qsizetype size)>;

enum class Status {
  More,         // the input so far is taken; more is wanted
  End,          // the stream is complete; inflating, bytes after it are ignored
  SinkRefused,  // the sink asked to stop
  Damaged,      // inflating: not a whole, sound zlib stream (Message() says why, when it can)
};

class ZlibStream {
 public:
  enum class Mode { Deflate, Inflate };

  // level: deflating only, 1 (fastest) to 9 (smallest). Throws std::bad_alloc
  // when zlib cannot have its memory.
  explicit ZlibStream(Mode mode, int level = 6);
  ~ZlibStream();
  ZlibStream(const ZlibStream&) = delete;
  ZlibStream& operator=(const ZlibStream&) = delete;

  // A new stream; the buffers are kept.
  void Reset();
  // Passes a piece through; last marks the end of the input. Once the run has
  // ended or failed, the same status comes back.
  Status Feed(QByteArrayView piece, bool last, const Sink& sink);
  // The words for a damaged stream: zlib's where it gave any, else empty.
  const QString& Message() const { return message_; }
  // Inflating: the bytes given after the end of the stream, which it ignores.
  qint64 Trailing() const { return trailing_; }

 private:
  Status deflateRun(QByteArrayView piece, bool last, const Sink& sink);
  Status inflateRun(QByteArrayView piece, bool last, const Sink& sink);
  Status damaged(const QString& words);

  struct Deflater;
  Mode mode_;
  std::unique_ptr<Deflater> deflater_;
  std::unique_ptr<InflateBackend> inflater_;
  Status status_ = Status::More;
  QString message_;
  qint64 trailing_ = 0;
  QByteArray out_;
};

}  // namespace zlibstream
