#include "common/platform/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <cerrno>

#include "common/platform/FolderHandle.h"
#include "common/platform/PathBytes.h"
#include "common/platform/SystemReason.h"
#include "common/platform/UnnamedFile.h"
#include "common/platform/WriteAll.h"

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

// The stream's bytes into the file; 0, the system's error, or EFBIG past limit.
int copyStream(int from, int to, qint64 limit) {
  QByteArray piece(1 << 20, Qt::Uninitialized);
  for (qint64 total = 0;;) {
    const ssize_t got = ::read(from, piece.data(), static_cast<size_t>(piece.size()));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return errno;
    if (got == 0) return 0;
    total += got;
    if (total > limit) return EFBIG;
    if (const int error = WriteAll(to, piece.constData(), got)) return error;
  }
}

}  // namespace

OpenedFile OpenRegularFile(const QString& path) {
  return regularOnly(::open(PathBytes(path).constData(), ReadFlags));
}

OpenedFile OpenRegularFileAt(const FolderHandle& folder, const std::string& name) {
  return regularOnly(::openat(folder.Descriptor(), name.c_str(), ReadFlags | O_NOFOLLOW));
}

OpenedFile StandardInputFile(qint64 limit) {
  struct stat info {};
  if (::fstat(STDIN_FILENO, &info) != 0) return {-1, 0, SystemReason(errno), {}};
  if (S_ISREG(info.st_mode)) return regularOnly(::fcntl(STDIN_FILENO, F_DUPFD_CLOEXEC, 3));
  if (::isatty(STDIN_FILENO) == 1) return {-1, 0, QStringLiteral("it is a terminal, not a file"), {}};
  const int file = OpenUnnamedFile();
  if (file < 0) return {-1, 0, "no temporary file for it: " + SystemReason(errno), {}};
  if (const int error = copyStream(STDIN_FILENO, file, limit)) {
    ::close(file);
    return {-1, 0, error == EFBIG ? QStringLiteral("it holds more than an archive can") : SystemReason(error), {}};
  }
  return regularOnly(file);
}

OwnedRegularFile::~OwnedRegularFile() {
  if (opened_.fd >= 0) ::close(opened_.fd);
}

}  // namespace platform
