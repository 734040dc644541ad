#pragma once
// A file written inside a held folder that appears under its name only when it
// is complete: it is created under a fresh hidden name (never an existing
// file, never through a link), and Commit renames it in, replacing what stands
// under the name as a name (a link is replaced, not written through). Until
// Commit it can be seen only under the hidden name, and it is removed unless
// committed, so a failure or a stop leaves nothing behind.
//
// While it lives, the hidden file is locked (flock), so that a hidden file
// nobody holds is known to be left by a process that died: RemoveStale takes
// those away. It is also entered in the table of hidden files, which a signal
// handler removes (hiddenfiles::RemoveAll).
#include <QtGlobal>
#include <cstdint>
#include <memory>
#include <string>

#include "common/platform/FolderHandle.h"

namespace platform {

class SafeFile {
 public:
  SafeFile() = default;
  ~SafeFile();
  SafeFile(const SafeFile&) = delete;
  SafeFile& operator=(const SafeFile&) = delete;

  // Commit's result when the file under the name is the one it must keep.
  static constexpr int KeptInPlace = -1;

  // Whether name can take a new file: 0, or EISDIR when a folder stands there,
  // EACCES for a file that may not be written, ENAMETOOLONG and the like for a
  // name the file system cannot hold. A link or a free name is fine.
  [[nodiscard]] static int CheckName(const FolderHandle& folder, const std::string& name);
  // Whether anything (a file, a link, a folder) stands under name.
  static bool NameTaken(const FolderHandle& folder, const std::string& name);

  // Removes the hidden files of prefix in the folder whose writer is gone
  // (no process holds their lock); returns how many.
  static int RemoveStale(const FolderHandle& folder, const char* prefix);

  // Creates the hidden file; its name starts with "." and the prefix, a
  // literal of at most hiddenfiles::MaxPrefix bytes.
  [[nodiscard]] int Create(std::shared_ptr<const FolderHandle> folder, const char* prefix);
  [[nodiscard]] int Write(const char* data, qint64 size);
  // Open for writing until Close: for copying into the file straight
  // (copy_file_range), which moves its position as Write does.
  int Descriptor() const { return fd_; }
  // Cuts the file back to size bytes; writing goes on from there.
  [[nodiscard]] int Truncate(qint64 size);
  // Ends the writing (Commit does it when it was not done); the file stays
  // locked until it is committed or removed.
  [[nodiscard]] int Close();
  // Puts the file under name. replaced tells whether a file or link stood
  // there. A file whose identity is keep is never replaced: KeptInPlace.
  [[nodiscard]] int Commit(const std::string& name, bool* replaced = nullptr,
                           const FolderHandle::Identity& keep = {});
  // Puts the file under name only when nothing stands there (EEXIST
  // otherwise, and the file stays hidden): decided by the file system in
  // one step, so that a file appearing meanwhile is never replaced.
  [[nodiscard]] int CommitIfFree(const std::string& name);

 private:
  bool claim();
  int rename(const std::string& name, bool* replaced, const FolderHandle::Identity& keep) const;
  void release();

  std::shared_ptr<const FolderHandle> folder_;
  std::string hidden_;
  int fd_ = -1;
  int lock_ = -1;   // after Close, the descriptor that keeps the lock
  int entry_ = -1;  // in the table of hidden files
};

}  // namespace platform
