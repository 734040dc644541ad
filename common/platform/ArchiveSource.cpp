#include "common/platform/ArchiveSource.h"

namespace platform {

qint64 ReadFully(const ArchiveSource& source, qint64 position, char* buffer, qint64 length) {
  if (length < 0) return -1;
  qint64 done = 0;
  while (done < length) {
    const qint64 got = source.ReadAt(position + done, buffer + done, length - done);
    if (got < 0) return -1;
    if (got == 0) break;
    done += got;
  }
  return done;
}

}  // namespace platform
