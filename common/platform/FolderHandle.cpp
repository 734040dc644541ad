#include "common/platform/FolderHandle.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <utility>

#include "common/platform/PathBytes.h"

namespace platform {
namespace {

// O_NONBLOCK: a FIFO standing where a folder is expected never blocks the open.
constexpr int FolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NONBLOCK;

struct DirCloser {
  void operator()(DIR* dir) const { ::closedir(dir); }
};

// The kernel may say either ELOOP or ENOTDIR for a link; tell them apart.
int whatStandsAt(int folder, const std::string& name) {
  struct stat info {};
  if (::fstatat(folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) return errno;
  return S_ISLNK(info.st_mode) ? ELOOP : ENOTDIR;
}

}  // namespace

FolderHandle::~FolderHandle() {
  if (fd_ >= 0) ::close(fd_);
}

FolderHandle::FolderHandle(FolderHandle&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

FolderHandle& FolderHandle::operator=(FolderHandle&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

int FolderHandle::Open(const QString& path, FolderHandle& folder) {
  const int fd = ::open(PathBytes(path).constData(), FolderFlags);
  if (fd < 0) return errno;
  folder = FolderHandle(fd);
  return 0;
}

int FolderHandle::OpenChild(const std::string& name, bool create, FolderHandle& child, bool* made) const {
  bool madeHere = false;
  if (create) {
    madeHere = ::mkdirat(fd_, name.c_str(), 0777) == 0;
    if (!madeHere && errno != EEXIST) return errno;
  }
  if (made) *made = madeHere;
  const int fd = ::openat(fd_, name.c_str(), FolderFlags | O_NOFOLLOW);
  if (fd < 0) return errno == ENOTDIR || errno == ELOOP ? whatStandsAt(fd_, name) : errno;
  child = FolderHandle(fd);
  return 0;
}

int FolderHandle::Remove(const std::string& name) const {
  return ::unlinkat(fd_, name.c_str(), 0) == 0 ? 0 : errno;
}

int FolderHandle::List(std::vector<std::string>& names) const {
  const int copy = ::openat(fd_, ".", FolderFlags);
  if (copy < 0) return errno;
  std::unique_ptr<DIR, DirCloser> dir(::fdopendir(copy));
  if (!dir) {
    const int error = errno;
    ::close(copy);
    return error;
  }
  errno = 0;
  while (const dirent* item = ::readdir(dir.get())) {
    const std::string name = item->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  return errno;
}

FolderHandle::Identity FolderHandle::Id() const { return IdentityOf(fd_); }

FolderHandle::Identity FolderHandle::IdentityOf(int fd) {
  struct stat info {};
  if (::fstat(fd, &info) != 0) return {};
  return {info.st_dev, info.st_ino};
}

FolderHandle::Identity FolderHandle::IdOf(const std::string& name) const {
  struct stat info {};
  if (::fstatat(fd_, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) return {};
  return {info.st_dev, info.st_ino};
}

}  // namespace platform
