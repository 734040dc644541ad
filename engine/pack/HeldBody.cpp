#include "engine/pack/HeldBody.h"

#include <unistd.h>

#include <cerrno>
#include <utility>

#include "common/platform/UnnamedFile.h"
#include "common/platform/WriteAll.h"
#include "engine/pack/FileCopy.h"

namespace engine {

HeldBody::~HeldBody() {
  if (file_ >= 0) ::close(file_);
}

int HeldBody::Append(const char* data, qint64 size) {
  if (file_ < 0 && memory_.size() + size <= MemoryLimit) {
    memory_.append(data, size);
    return 0;
  }
  if (file_ < 0)
    if (const int error = spill()) return error;
  // Written only here and from its start: its own position is where the body ends.
  if (const int error = platform::WriteAll(file_, data, size)) return error;
  fileSize_ += size;
  return 0;
}

int HeldBody::spill() {
  file_ = platform::OpenUnnamedFile();
  if (file_ < 0) return errno;
  const QByteArray held = std::exchange(memory_, {});
  return Append(held.constData(), held.size());
}

int HeldBody::PourInto(int stream) {
  const int error = file_ >= 0 ? CopyRange(file_, 0, stream, fileSize_)
                               : platform::WriteAll(stream, memory_.constData(), memory_.size());
  Clear();
  return error;
}

void HeldBody::Clear() {
  memory_.resize(0);
  if (file_ >= 0) ::close(file_);
  file_ = -1;
  fileSize_ = 0;
}

}  // namespace engine
