#pragma once
// The one place where compressed bodies are inflated: a bare zlib stream fed
// in pieces, its output handed on in bounded chunks, so that memory stays the
// same whatever the size. A faster inflater would replace this file alone.
#include <QtGlobal>
#include <functional>
#include <memory>
#include <vector>

namespace tallyhold {

class Inflater {
 public:
  // Receives each chunk of inflated bytes in order.
  using Sink = std::function<void(const char* data, qint64 size)>;

  Inflater();
  ~Inflater();
  Inflater(const Inflater&) = delete;
  Inflater& operator=(const Inflater&) = delete;

  // Starts a new stream that must inflate to exactly expectedSize bytes.
  void Begin(qint64 expectedSize);
  // Inflates the next compressed bytes. Throws EntryDataError when the stream
  // is damaged or its output would pass the expected size; no byte beyond the
  // expected size ever reaches the sink.
  void Feed(const char* data, qint64 size, const Sink& sink);
  // Throws EntryDataError unless the stream has ended with exactly the expected
  // size. Bytes after the end of the stream are ignored.
  void Finish() const;

 private:
  struct Stream;
  std::unique_ptr<Stream> stream_;
  std::vector<char> output_;
  qint64 expected_ = 0;
  qint64 produced_ = 0;
  bool ended_ = false;
};

}  // namespace tallyhold
