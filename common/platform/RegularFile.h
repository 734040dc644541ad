#pragma once
// Opening a file the user named for reading, only when it is a regular file: a
// FIFO, device or folder is refused at once instead of being waited on.
#include <QString>
#include <cerrno>
#include <string>

namespace platform {

// The error number ENOTSUP stands for "not a regular file" here.
constexpr int NotARegularFile = ENOTSUP;

// A descriptor open for reading, or -1 with the system's error number.
struct OpenedFile {
  int fd = -1;
  int error = 0;
};
OpenedFile OpenRegularFile(const QString& path);

class FolderHandle;
// The same for a name inside a held folder; a symbolic link there is refused
// (ELOOP), never followed.
OpenedFile OpenRegularFileAt(const FolderHandle& folder, const std::string& name);

// The reason for an error of OpenRegularFile, as the user is told it.
QString OpenFailureReason(int error);

}  // namespace platform
