#include "engine/extract/ExtractErrors.h"

#include <cerrno>

#include "common/platform/SystemReason.h"

namespace engine {

using platform::SystemReason;

DestinationError::DestinationError(const QString& file, int systemError)
    : DestinationError(file, SystemReason(systemError)) {}

DestinationError::DestinationError(const QString& file, const QString& reason)
    : std::runtime_error(file.toStdString()), file_(file), reason_(reason) {}

void ThrowForSystemError(int systemError, const QString& file) {
  switch (systemError) {
    case ELOOP:
      throw EntryDataError(file + " is a symbolic link, which is never followed");
    case ENOTDIR:
      throw EntryDataError(file + " is not a folder");
    case EISDIR:
      throw EntryDataError(file + " is a folder");
    case ENAMETOOLONG:
    case EINVAL:
    case EILSEQ:
      throw EntryDataError("the file system cannot hold " + file + " (" + SystemReason(systemError) + ")");
    default:
      throw DestinationError(file, systemError);
  }
}

}  // namespace engine
