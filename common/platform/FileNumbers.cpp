#include "common/platform/FileNumbers.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <array>
#include <cerrno>
#include <cstring>

namespace platform {
namespace {

// Descriptors by number; -1 where the number is free.
std::array<int, MaxFileNumber + 1>& table() {
  static std::array<int, MaxFileNumber + 1> descriptors = [] {
    std::array<int, MaxFileNumber + 1> free;
    free.fill(-1);
    return free;
  }();
  return descriptors;
}

int descriptorOf(int n) { return n < 1 || n > MaxFileNumber ? -1 : table()[n]; }

QString systemReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

// Why a file of this kind cannot be read as a file of bytes; empty for a regular file.
QString kindRefusal(mode_t mode) {
  if (S_ISREG(mode)) return {};
  if (S_ISDIR(mode)) return QStringLiteral("it is a folder, not a file");
  if (S_ISFIFO(mode)) return QStringLiteral("it is a pipe, not a file");
  if (S_ISSOCK(mode)) return QStringLiteral("it is a socket, not a file");
  return QStringLiteral("it is a device, not a file");
}

}  // namespace

int FreeFile() {
  for (int n = 1; n <= MaxFileNumber; ++n)
    if (table()[n] < 0) return n;
  return 0;
}

bool OpenFile(int n, const QString& path, QString* error) {
  const auto refuse = [error](const QString& reason) {
    if (error) *error = reason;
    return false;
  };
  if (n < 1 || n > MaxFileNumber || table()[n] >= 0)
    return refuse(QStringLiteral("file number %1 is not free").arg(n));
  // O_NONBLOCK: opening a pipe that has no writer must not wait for one.
  const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (descriptor < 0) return refuse(systemReason(errno));
  struct stat info {};
  const QString refusal = ::fstat(descriptor, &info) != 0 ? systemReason(errno) : kindRefusal(info.st_mode);
  if (!refusal.isEmpty()) {
    ::close(descriptor);
    return refuse(refusal);
  }
  table()[n] = descriptor;
  return true;
}

bool IsOpen(int n) { return descriptorOf(n) >= 0; }

// Asked each time: the file may change while it is open.
qint64 FileLength(int n) {
  struct stat info {};
  const int descriptor = descriptorOf(n);
  return descriptor >= 0 && ::fstat(descriptor, &info) == 0 ? static_cast<qint64>(info.st_size) : -1;
}

// pread keeps no shared file position, so several threads may read one number at once.
qint64 ReadAt(int n, qint64 position, char* buffer, qint64 len) {
  const int descriptor = descriptorOf(n);
  if (descriptor < 0 || len < 0) return -1;
  if (position < 1) return 0;
  qint64 done = 0;
  while (done < len) {
    const ssize_t got = ::pread(descriptor, buffer + done, static_cast<size_t>(len - done),
                                static_cast<off_t>(position - 1 + done));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return -1;
    if (got == 0) break;
    done += got;
  }
  return done;
}

void CloseFile(int n) {
  const int descriptor = descriptorOf(n);
  if (descriptor < 0) return;
  ::close(descriptor);
  table()[n] = -1;
}

void CloseAll() {
  for (int n = 1; n <= MaxFileNumber; ++n) CloseFile(n);
}

int OpenCount() {
  int count = 0;
  for (const int descriptor : table()) count += descriptor >= 0 ? 1 : 0;
  return count;
}

}  // namespace platform
