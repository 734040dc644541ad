#pragma once
// The body of the entry being written to a stream, held until the entry
// ends, since a stream cannot take back what it was given (a body that
// compresses no smaller is written again stored): in memory up to
// MemoryLimit bytes, beyond that in an unnamed temporary file, so that a
// body of gigabytes costs no more memory than a small one.
#include <QByteArray>
#include <QtGlobal>

namespace engine {

class HeldBody {
 public:
  static constexpr qint64 MemoryLimit = 4 << 20;

  HeldBody() = default;
  ~HeldBody();
  HeldBody(const HeldBody&) = delete;
  HeldBody& operator=(const HeldBody&) = delete;

  // Each 0 or the system's error.
  int Append(const char* data, qint64 size);
  // Writes what is held to the stream and holds nothing after.
  int PourInto(int stream);
  void Clear();

 private:
  int spill();

  QByteArray memory_;
  int file_ = -1;
  qint64 fileSize_ = 0;
};

}  // namespace engine
