#include "tallyhold/windows/DragFolder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <utility>
#include <vector>

#include "common/platform/FolderHandle.h"
#include "common/platform/PathBytes.h"

namespace tallyhold::dragfolder {
namespace {

using platform::FolderHandle;

constexpr char Prefix[] = "tallyhold-drag-";

// Deeper than any folder of ours; bounds the recursion whatever was put there.
constexpr int MaxDepth = 64;

void removeName(const FolderHandle& parent, const std::string& name, int depth);

void removeContents(const FolderHandle& folder, int depth) {
  std::vector<std::string> names;
  if (folder.List(names) != 0) return;
  for (const std::string& name : names) removeName(folder, name, depth);
}

// A file or a link goes as a name; a folder is entered without following a
// link, emptied, and removed.
void removeName(const FolderHandle& parent, const std::string& name, int depth) {
  if (parent.Remove(name) == 0 || depth >= MaxDepth) return;
  FolderHandle child;
  if (parent.OpenChild(name, false, child) != 0) return;
  removeContents(child, depth + 1);
  ::unlinkat(parent.Descriptor(), name.c_str(), AT_REMOVEDIR);
}

bool isLeftover(const std::string& name) {
  return name.rfind(Prefix, 0) == 0 && name.size() == std::strlen(Prefix) + 6;
}

// A run locks its folder a moment after making it; one this young is left alone.
constexpr time_t YoungSeconds = 60;

// The folders that runs which died left in the temporary folder: ours, a
// folder and not a link, private, not young, and with no live run holding its lock.
void removeLeftovers(const QString& temporary) {
  FolderHandle parent;
  std::vector<std::string> names;
  if (FolderHandle::Open(temporary, parent) != 0 || parent.List(names) != 0) return;
  for (const std::string& name : names) {
    FolderHandle left;
    struct stat info {};
    if (!isLeftover(name) || parent.OpenChild(name, false, left) != 0) continue;
    if (::fstat(left.Descriptor(), &info) != 0 || info.st_uid != ::geteuid() || (info.st_mode & 077) != 0 ||
        info.st_mtime > ::time(nullptr) - YoungSeconds)
      continue;
    if (::flock(left.Descriptor(), LOCK_EX | LOCK_NB) != 0) continue;
    removeContents(left, 0);
    ::unlinkat(parent.Descriptor(), name.c_str(), AT_REMOVEDIR);
  }
}

class PrivateFolder {
 public:
  ~PrivateFolder() { RemoveAll(); }

  QString Path(int& error) {
    error = 0;
    if (handle_.Descriptor() < 0) error = make();
    return error == 0 ? path_ : QString();
  }

  std::string NextName() { return std::to_string(++drags_); }

  void Remove(const std::string& name) {
    if (handle_.Descriptor() >= 0) removeName(handle_, name, 0);
  }

  void RemoveAll() {
    if (handle_.Descriptor() < 0) return;
    removeContents(handle_, 0);
    handle_ = {};
    // In a folder such as /tmp only its owner may rename it; rmdir follows no link.
    ::rmdir(platform::PathBytes(path_).constData());
    path_.clear();
  }

 private:
  int make() {
    const QString temporary = QDir::tempPath();
    removeLeftovers(temporary);
    QByteArray name = platform::PathBytes(temporary + QLatin1Char('/') + QLatin1String(Prefix) + "XXXXXX");
    if (!::mkdtemp(name.data())) return errno;
    const int error = open(platform::DecodedPath(name));
    if (error != 0) ::rmdir(name.constData());
    return error;
  }

  // Made by mkdtemp: nobody else's and open to nobody else; anything else is refused.
  int open(const QString& path) {
    FolderHandle made;
    if (const int error = FolderHandle::Open(path, made)) return error;
    struct stat info {};
    if (::fstat(made.Descriptor(), &info) != 0) return errno;
    if (info.st_uid != ::geteuid() || (info.st_mode & 077) != 0) return EPERM;
    // Held for the whole run: the next run removes the folder if this one dies.
    if (::flock(made.Descriptor(), LOCK_EX | LOCK_NB) != 0) return errno;
    handle_ = std::move(made);
    path_ = path;
    return 0;
  }

  FolderHandle handle_;
  QString path_;
  int drags_ = 0;
};

// Its destructor removes the folder when the program returns from main; the
// frame's close, which ends the program at once, calls RemoveAll first.
PrivateFolder& folder() {
  static PrivateFolder instance;
  return instance;
}

}  // namespace

QString Path(int& error) { return folder().Path(error); }
std::string NextName() { return folder().NextName(); }
void Remove(const std::string& name) { folder().Remove(name); }
void RemoveAll() { folder().RemoveAll(); }

}  // namespace tallyhold::dragfolder
