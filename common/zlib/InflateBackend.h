#pragma once
// The inflate library behind ZlibStream: ISA-L's streaming inflate where the
// build found it, zlib otherwise. One stream of a bare zlib body (header,
// deflate data, Adler-32), judged as zlib judges it.
#include <QString>
#include <QtGlobal>
#include <memory>

namespace zlibstream {

class InflateBackend {
 public:
  InflateBackend();
  ~InflateBackend();
  InflateBackend(const InflateBackend&) = delete;
  InflateBackend& operator=(const InflateBackend&) = delete;

  // Starts a new stream.
  void Reset();

  struct Step {
    qint64 produced = 0;
    bool ended = false;       // the stream and its checksum are complete
    bool outputFull = false;  // more may come from the input already given
    QString damage;           // zlib's words for what is wrong, empty while the stream is sound
  };
  // The compressed bytes that the next calls of Inflate take from.
  void SetInput(const char* data, qint64 size);
  Step Inflate(char* out, qint64 outSize);
  // The bytes of the input not taken; once the stream has ended, those after it.
  qint64 Unread() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace zlibstream
