#pragma once
// Opening a file the user named for reading, only when it is a regular file: a
// pipe, device or folder is refused at once instead of being waited on.
#include <QString>
#include <QtGlobal>
#include <string>

#include "common/platform/FolderHandle.h"

namespace platform {

// A descriptor open for reading with the file's length, or -1 with the reason
// as the user is told it ("it is a pipe, not a file", or the system's words).
struct OpenedFile {
  int fd = -1;
  qint64 length = 0;
  QString refusal;
  FolderHandle::Identity id;  // of the file opened
};
OpenedFile OpenRegularFile(const QString& path);

// An OpenRegularFile whose descriptor is closed with it.
class OwnedRegularFile {
 public:
  explicit OwnedRegularFile(const QString& path) : opened_(OpenRegularFile(path)) {}
  ~OwnedRegularFile();
  OwnedRegularFile(const OwnedRegularFile&) = delete;
  OwnedRegularFile& operator=(const OwnedRegularFile&) = delete;

  const OpenedFile& Opened() const { return opened_; }

 private:
  OpenedFile opened_;
};

// The same for a name inside a held folder; a symbolic link there is refused,
// never followed.
OpenedFile OpenRegularFileAt(const FolderHandle& folder, const std::string& name);

// Standard input as a regular file of its own descriptor: a copy of it when
// it is one; from a pipe, its bytes first copied into an unnamed temporary
// file, at most limit bytes (more is refused: nothing needs them).
OpenedFile StandardInputFile(qint64 limit);

}  // namespace platform
