#include "common/platform/FileSource.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace platform {

std::shared_ptr<FileSource> FileSource::Open(const QString& path, QString* error) {
  const OpenedFile opened = OpenRegularFile(path);
  if (opened.fd < 0) {
    if (error) *error = opened.refusal;
    return nullptr;
  }
  return std::make_shared<FileSource>(opened);
}

FileSource::FileSource(const OpenedFile& opened) : fd_(opened.fd), length_(opened.length), id_(opened.id) {}

FileSource::~FileSource() { ::close(fd_); }

qint64 FileSource::ReadAt(qint64 position, char* buffer, qint64 length) const {
  if (length < 0) return -1;
  if (position < 1 || position > length_) return 0;
  const qint64 wanted = std::min(length, length_ - (position - 1));
  for (;;) {
    const ssize_t got = ::pread(fd_, buffer, static_cast<size_t>(wanted), static_cast<off_t>(position - 1));
    if (got >= 0) return got;
    if (errno != EINTR) return -1;
  }
}

}  // namespace platform
