#pragma once
// The inflate library behind FileDecompressor: ISA-L's streaming inflate where
// the build found it, zlib otherwise. One stream of a bare zlib body (header,
// deflate data, Adler-32), checked as zlib checks it.
#include <QtGlobal>
#include <memory>

namespace tallyhold {

class InflateStream {
 public:
  InflateStream();
  ~InflateStream();
  InflateStream(const InflateStream&) = delete;
  InflateStream& operator=(const InflateStream&) = delete;

  // Starts a new stream.
  void Reset();
  // The compressed bytes that the next calls of Inflate take from.
  void SetInput(const char* data, qint64 size);

  struct Step {
    qint64 produced = 0;
    bool ended = false;       // the stream and its checksum are complete
    bool outputFull = false;  // more may come from the input already given
  };
  // Inflates into out; throws EntryDataError when the stream is damaged.
  Step Inflate(char* out, qint64 outSize);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace tallyhold
