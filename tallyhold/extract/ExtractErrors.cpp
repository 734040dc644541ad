#include "tallyhold/extract/ExtractErrors.h"

#include <system_error>

namespace tallyhold {

DestinationError::DestinationError(const QString& file, int systemError)
    : std::runtime_error(file.toStdString()),
      file_(file),
      reason_(QString::fromStdString(std::generic_category().message(systemError))) {}

}  // namespace tallyhold
