#include "common/platform/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <system_error>

#include "common/platform/FolderHandle.h"

namespace platform {
namespace {

constexpr int ReadFlags = O_RDONLY | O_NONBLOCK | O_CLOEXEC;

// The descriptor when it is a regular file, made blocking again; closed otherwise.
OpenedFile regularOnly(int fd) {
  if (fd < 0) return {-1, errno};
  struct stat info {};
  const int error = ::fstat(fd, &info) != 0 ? errno : S_ISREG(info.st_mode) ? 0 : NotARegularFile;
  if (error) {
    ::close(fd);
    return {-1, error};
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return {fd, 0};
}

}  // namespace

OpenedFile OpenRegularFile(const QString& path) {
  return regularOnly(::open(QFile::encodeName(path).constData(), ReadFlags));
}

OpenedFile OpenRegularFileAt(const FolderHandle& folder, const std::string& name) {
  return regularOnly(::openat(folder.Descriptor(), name.c_str(), ReadFlags | O_NOFOLLOW));
}

QString OpenFailureReason(int error) {
  if (error == NotARegularFile) return QStringLiteral("it is not a regular file");
  return QString::fromStdString(std::generic_category().message(error));
}

}  // namespace platform
