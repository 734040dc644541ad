#include "common/platform/WriteAll.h"

#include <unistd.h>

#include <cerrno>

namespace platform {

int WriteAll(int fd, const char* data, qint64 size) {
  while (size > 0) {
    const ssize_t done = ::write(fd, data, static_cast<size_t>(size));
    if (done < 0 && errno == EINTR) continue;
    if (done < 0) return errno;
    data += done;
    size -= done;
  }
  return 0;
}

}  // namespace platform
