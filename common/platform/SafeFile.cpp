#include "common/platform/SafeFile.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QRandomGenerator>
#include <cerrno>
#include <cstring>
#include <utility>
#include <vector>

#include "common/platform/HiddenFiles.h"
#include "common/platform/WriteAll.h"

namespace platform {
namespace {

constexpr int CreateFlags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
constexpr mode_t CreateMode = 0666;  // narrowed by the umask, as for any new file
// Names taken, or taken away at once, this often mean something else is wrong.
constexpr int MaxAttempts = 100;

// Its writer held the lock until the file was committed or removed, so a
// file that can be locked has no writer left.
bool removeIfStale(const FolderHandle& folder, const std::string& name) {
  const int fd = ::openat(folder.Descriptor(), name.c_str(),
                          O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info {};
  const bool removed = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
                       folder.IdOf(name) == FolderHandle::Identity{info.st_dev, info.st_ino} &&
                       ::unlinkat(folder.Descriptor(), name.c_str(), 0) == 0;
  ::close(fd);
  return removed;
}

}  // namespace

SafeFile::~SafeFile() {
  if (!hidden_.empty()) ::unlinkat(folder_->Descriptor(), hidden_.c_str(), 0);
  release();
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

bool SafeFile::NameTaken(const FolderHandle& folder, const std::string& name) {
  struct stat existing {};
  return ::fstatat(folder.Descriptor(), name.c_str(), &existing, AT_SYMLINK_NOFOLLOW) == 0;
}

int SafeFile::RemoveStale(const FolderHandle& folder, const char* prefix) {
  std::vector<std::string> names;
  if (folder.List(names) != 0) return 0;
  int removed = 0;
  for (const std::string& name : names)
    if (hiddenfiles::IsName(name, prefix) && removeIfStale(folder, name)) ++removed;
  return removed;
}

// O_EXCL never opens a file that exists, so the hidden file is always our own.
// It is entered in the table before it exists, so that a signal never misses it.
int SafeFile::Create(std::shared_ptr<const FolderHandle> folder, const char* prefix) {
  if (std::strlen(prefix) > hiddenfiles::MaxPrefix) return EINVAL;
  folder_ = std::move(folder);
  for (int attempt = 0; attempt < MaxAttempts; ++attempt) {
    const std::uint64_t number = QRandomGenerator::global()->generate64();
    hidden_ = hiddenfiles::Name(prefix, number);
    entry_ = hiddenfiles::Add(folder_->Descriptor(), prefix, number);
    fd_ = ::openat(folder_->Descriptor(), hidden_.c_str(), CreateFlags, CreateMode);
    if (fd_ >= 0 && claim()) return 0;
    const int error = errno;
    const bool taken = fd_ >= 0;
    release();
    if (!taken && error != EEXIST) {
      hidden_.clear();
      return error;
    }
  }
  hidden_.clear();
  return EEXIST;
}

// Locked, and still under its name: another run that found it unlocked in the
// moment before has removed it, or is about to. Where the file system has no
// locks, the file is written unlocked (and never taken for stale).
bool SafeFile::claim() {
  if (::flock(fd_, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) return false;
  return folder_->IdOf(hidden_) == FolderHandle::IdentityOf(fd_);
}

int SafeFile::Write(const char* data, qint64 size) { return WriteAll(fd_, data, size); }

int SafeFile::Truncate(qint64 size) {
  if (::ftruncate(fd_, size) != 0 || ::lseek(fd_, size, SEEK_SET) < 0) return errno;
  return 0;
}

// The lock belongs to the open file, not to a descriptor: a second one keeps
// it while close tells what became of the writes.
int SafeFile::Close() {
  if (fd_ < 0) return 0;
  lock_ = ::fcntl(fd_, F_DUPFD_CLOEXEC, 0);
  const int lockError = lock_ < 0 ? errno : 0;
  if (::close(std::exchange(fd_, -1)) != 0) return errno;
  return lockError;
}

int SafeFile::Commit(const std::string& name, bool* replaced, const FolderHandle::Identity& keep) {
  if (const int error = Close()) return error;
  if (const int error = rename(name, replaced, keep)) return error;
  hidden_.clear();
  release();
  return 0;
}

int SafeFile::CommitIfFree(const std::string& name) {
  if (const int error = Close()) return error;
  const int folder = folder_->Descriptor();
  if (::renameat2(folder, hidden_.c_str(), folder, name.c_str(), RENAME_NOREPLACE) != 0) {
    if (errno != EINVAL && errno != ENOSYS) return errno;
    // Without RENAME_NOREPLACE a link, which never replaces, then the hidden name goes.
    if (::linkat(folder, hidden_.c_str(), folder, name.c_str(), 0) != 0) return errno;
    ::unlinkat(folder, hidden_.c_str(), 0);
  }
  hidden_.clear();
  release();
  return 0;
}

// First without replacing, so that what stood there is known; where the file
// system cannot say (no RENAME_NOREPLACE), by looking first. A file that takes
// the place of another keeps its permissions, as one written over in place would.
int SafeFile::rename(const std::string& name, bool* replaced, const FolderHandle::Identity& keep) const {
  const int folder = folder_->Descriptor();
  if (::renameat2(folder, hidden_.c_str(), folder, name.c_str(), RENAME_NOREPLACE) == 0) {
    if (replaced) *replaced = false;
    return 0;
  }
  if (errno != EEXIST && errno != EINVAL && errno != ENOSYS) return errno;
  struct stat existing {};
  const bool existed = ::fstatat(folder, name.c_str(), &existing, AT_SYMLINK_NOFOLLOW) == 0;
  if (existed && FolderHandle::Identity{existing.st_dev, existing.st_ino} == keep) return KeptInPlace;
  // A private file must not become readable by others through its new copy.
  if (existed && S_ISREG(existing.st_mode) && ::fchmodat(folder, hidden_.c_str(), existing.st_mode & 0777, 0) != 0)
    return errno;
  if (::renameat(folder, hidden_.c_str(), folder, name.c_str()) != 0) return errno;
  if (replaced) *replaced = existed;
  return 0;
}

void SafeFile::release() {
  hiddenfiles::Drop(std::exchange(entry_, -1));
  if (fd_ >= 0) ::close(std::exchange(fd_, -1));
  if (lock_ >= 0) ::close(std::exchange(lock_, -1));
}

}  // namespace platform
