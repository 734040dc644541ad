#include "common/platform/SystemReason.h"

#include <system_error>

namespace platform {

QString SystemReason(int error) { return QString::fromStdString(std::generic_category().message(error)); }

}  // namespace platform
