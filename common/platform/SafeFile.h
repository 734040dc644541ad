#pragma once
// A file written inside a held folder that appears under its name only when it
// is complete: it is created under a fresh hidden name (never an existing
// file, never through a link), and Commit renames it in, replacing what stands
// under the name as a name (a link is replaced, not written through). Until
// Commit it can be seen only under the hidden name, and it is removed unless
// committed, so a failure or a stop leaves nothing behind.
#include <QtGlobal>
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

  // Whether name can take a new file: 0, or EISDIR when a folder stands there,
  // EACCES for a file that may not be written, ENAMETOOLONG and the like for a
  // name the file system cannot hold. A link or a free name is fine.
  [[nodiscard]] static int CheckName(const FolderHandle& folder, const std::string& name);

  // Creates the hidden file; its name starts with "." and the prefix.
  [[nodiscard]] int Create(std::shared_ptr<const FolderHandle> folder, const std::string& prefix);
  [[nodiscard]] int Write(const char* data, qint64 size);
  // Cuts the file back to size bytes; writing goes on from there.
  [[nodiscard]] int Truncate(qint64 size);
  // Ends the writing (Commit does it when it was not done).
  [[nodiscard]] int Close();
  // Puts the file under name. replaced tells whether a file or link stood there.
  [[nodiscard]] int Commit(const std::string& name, bool* replaced = nullptr);

 private:
  int rename(const std::string& name, bool* replaced) const;

  std::shared_ptr<const FolderHandle> folder_;
  std::string hidden_;
  int fd_ = -1;
};

}  // namespace platform
