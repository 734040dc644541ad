#include "common/platform/SafeFile.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QRandomGenerator>
#include <cerrno>
#include <utility>

namespace platform {
namespace {

constexpr int CreateFlags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
constexpr mode_t CreateMode = 0666;  // narrowed by the umask, as for any new file

std::string hiddenName(const std::string& prefix) {
  return "." + prefix + "-" + QByteArray::number(QRandomGenerator::global()->generate64(), 36).toStdString() +
         ".part";
}

}  // namespace

SafeFile::~SafeFile() {
  if (fd_ >= 0) ::close(fd_);
  if (!hidden_.empty()) ::unlinkat(folder_->Descriptor(), hidden_.c_str(), 0);
}

int SafeFile::CheckName(const FolderHandle& folder, const std::string& name) {
  struct stat existing {};
  if (::fstatat(folder.Descriptor(), name.c_str(), &existing, AT_SYMLINK_NOFOLLOW) != 0)
    return errno == ENOENT ? 0 : errno;
  if (S_ISDIR(existing.st_mode)) return EISDIR;
  if (S_ISREG(existing.st_mode) && ::faccessat(folder.Descriptor(), name.c_str(), W_OK, AT_EACCESS) != 0)
    return errno;
  return 0;
}

// O_EXCL never opens a file that exists, so the hidden file is always our own.
int SafeFile::Create(std::shared_ptr<const FolderHandle> folder, const std::string& prefix) {
  folder_ = std::move(folder);
  do {
    hidden_ = hiddenName(prefix);
    fd_ = ::openat(folder_->Descriptor(), hidden_.c_str(), CreateFlags, CreateMode);
  } while (fd_ < 0 && errno == EEXIST);
  if (fd_ >= 0) return 0;
  hidden_.clear();
  return errno;
}

int SafeFile::Write(const char* data, qint64 size) {
  while (size > 0) {
    const ssize_t done = ::write(fd_, data, static_cast<size_t>(size));
    if (done < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    data += done;
    size -= done;
  }
  return 0;
}

int SafeFile::Truncate(qint64 size) {
  if (::ftruncate(fd_, size) != 0 || ::lseek(fd_, size, SEEK_SET) < 0) return errno;
  return 0;
}

int SafeFile::Close() {
  if (fd_ < 0) return 0;
  return ::close(std::exchange(fd_, -1)) == 0 ? 0 : errno;
}

int SafeFile::Commit(const std::string& name, bool* replaced) {
  if (const int error = Close()) return error;
  if (const int error = rename(name, replaced)) return error;
  hidden_.clear();
  return 0;
}

// First without replacing, so that what stood there is known; where the file
// system cannot say (no RENAME_NOREPLACE), by looking first. A file that takes
// the place of another keeps its permissions, as one written over in place would.
int SafeFile::rename(const std::string& name, bool* replaced) const {
  const int folder = folder_->Descriptor();
  if (::renameat2(folder, hidden_.c_str(), folder, name.c_str(), RENAME_NOREPLACE) == 0) {
    if (replaced) *replaced = false;
    return 0;
  }
  if (errno != EEXIST && errno != EINVAL && errno != ENOSYS) return errno;
  struct stat existing {};
  const bool existed = ::fstatat(folder, name.c_str(), &existing, AT_SYMLINK_NOFOLLOW) == 0;
  if (existed && S_ISREG(existing.st_mode)) ::fchmodat(folder, hidden_.c_str(), existing.st_mode & 0777, 0);
  if (::renameat(folder, hidden_.c_str(), folder, name.c_str()) != 0) return errno;
  if (replaced) *replaced = existed;
  return 0;
}

}  // namespace platform
