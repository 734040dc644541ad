#include "engine/pack/FileCopy.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>

#include "common/platform/WriteAll.h"

namespace engine {
namespace {

constexpr qint64 CopyPiece = 1 << 20;

int copyThroughMemory(int from, qint64 offset, int to, qint64 size) {
  const auto piece = std::make_unique_for_overwrite<char[]>(CopyPiece);
  while (size > 0) {
    const ssize_t got = ::pread(from, piece.get(), static_cast<size_t>(std::min(size, CopyPiece)), offset);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return errno;
    if (got == 0) return EIO;  // the file is shorter than it was
    if (const int error = platform::WriteAll(to, piece.get(), got)) return error;
    offset += got;
    size -= got;
  }
  return 0;
}

}  // namespace

int CopyRange(int from, qint64 offset, int to, qint64 size) {
  while (size > 0) {
    loff_t in = offset;
    const ssize_t done = ::copy_file_range(from, &in, to, nullptr, static_cast<size_t>(size), 0);
    if (done < 0 && errno == EINTR) continue;
    if (done <= 0) return copyThroughMemory(from, offset, to, size);
    offset += done;
    size -= done;
  }
  return 0;
}

}  // namespace engine
