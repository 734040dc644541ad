#pragma once
// A folder held open by its descriptor. Everything below it is reached through
// descriptors, one name at a time and never through a symbolic link, so that a
// folder renamed or replaced by a link while the program works cannot redirect
// what it writes.
#include <sys/types.h>

#include <QString>
#include <string>
#include <vector>

namespace platform {

class FolderHandle {
 public:
  FolderHandle() = default;
  ~FolderHandle();
  FolderHandle(FolderHandle&& other) noexcept;
  FolderHandle& operator=(FolderHandle&& other) noexcept;
  FolderHandle(const FolderHandle&) = delete;
  FolderHandle& operator=(const FolderHandle&) = delete;

  // The folder at a path the user chose; the path is resolved this once.
  // Returns 0 or the system's error number.
  [[nodiscard]] static int Open(const QString& path, FolderHandle& folder);

  // The folder `name` (one name in the file system's encoding) inside this one,
  // made first when it is missing and create is set. A symbolic link there
  // gives ELOOP, a file or special file ENOTDIR; neither is followed or
  // replaced. made tells whether this call made the folder.
  [[nodiscard]] int OpenChild(const std::string& name, bool create, FolderHandle& child,
                              bool* made = nullptr) const;

  // Removes the file (or link) name; 0 or the system's error number.
  int Remove(const std::string& name) const;

  // The names it holds, "." and ".." left out.
  [[nodiscard]] int List(std::vector<std::string>& names) const;

  // Device and inode, to tell whether a name still leads to this folder.
  struct Identity {
    dev_t device = 0;
    ino_t inode = 0;
    bool operator==(const Identity&) const = default;
  };
  Identity Id() const;
  // Of an open file; zeros when it cannot be had.
  static Identity IdentityOf(int fd);
  // Of what stands under name, not following a link; zeros when nothing does.
  Identity IdOf(const std::string& name) const;

  int Descriptor() const { return fd_; }

 private:
  explicit FolderHandle(int fd) : fd_(fd) {}
  int fd_ = -1;
};

}  // namespace platform
