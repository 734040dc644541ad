#include "common/platform/MemorySource.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace platform {

MemorySource::MemorySource(QByteArray bytes, qint64 pieceSize) : bytes_(std::move(bytes)), pieceSize_(pieceSize) {}

qint64 MemorySource::ReadAt(qint64 position, char* buffer, qint64 length) const {
  if (length < 0) return -1;
  if (position < 1 || position > Length()) return 0;
  qint64 count = std::min(length, Length() - (position - 1));
  if (pieceSize_ > 0) count = std::min(count, pieceSize_);
  std::memcpy(buffer, bytes_.constData() + (position - 1), static_cast<size_t>(count));
  return count;
}

}  // namespace platform
