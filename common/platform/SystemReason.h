#pragma once
#include <QString>

namespace platform {

// The system's own words for an error number (errno).
QString SystemReason(int error);

}  // namespace platform
