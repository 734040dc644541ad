#include "common/platform/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "common/platform/FolderHandle.h"
#include "common/platform/PathBytes.h"
#include "common/platform/SystemReason.h"

namespace platform {
namespace {

// O_NONBLOCK: opening a pipe that has no writer must not wait for one.
constexpr int ReadFlags = O_RDONLY | O_NONBLOCK | O_CLOEXEC;

// Why a file of this kind cannot be read as a file of bytes; empty for a regular file.
QString kindRefusal(mode_t mode) {
  if (S_ISREG(mode)) return {};
  if (S_ISDIR(mode)) return QStringLiteral("it is a folder, not a file");
  if (S_ISFIFO(mode)) return QStringLiteral("it is a pipe, not a file");
  if (S_ISSOCK(mode)) return QStringLiteral("it is a socket, not a file");
  return QStringLiteral("it is a device, not a file");
}

// The descriptor when it is a regular file; closed otherwise.
OpenedFile regularOnly(int fd) {
  if (fd < 0) return {-1, 0, SystemReason(errno), {}};
  struct stat info {};
  const QString refusal = ::fstat(fd, &info) != 0 ? SystemReason(errno) : kindRefusal(info.st_mode);
  if (!refusal.isEmpty()) {
    ::close(fd);
    return {-1, 0, refusal, {}};
  }
  return {fd, static_cast<qint64>(info.st_size), {}, {info.st_dev, info.st_ino}};
}

}  // namespace

OpenedFile OpenRegularFile(const QString& path) {
  return regularOnly(::open(PathBytes(path).constData(), ReadFlags));
}

OpenedFile OpenRegularFileAt(const FolderHandle& folder, const std::string& name) {
  return regularOnly(::openat(folder.Descriptor(), name.c_str(), ReadFlags | O_NOFOLLOW));
}

OwnedRegularFile::~OwnedRegularFile() {
  if (opened_.fd >= 0) ::close(opened_.fd);
}

}  // namespace platform
