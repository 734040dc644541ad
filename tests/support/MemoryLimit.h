#pragma once
// Caps this process's address space a little above what it maps now, so that
// an allocation sized by a number from a file fails instead of succeeding.
#include <QtGlobal>

namespace testsupport {

// False when the limit could not be set.
bool LimitAddressSpaceToCurrentPlus(qint64 bytes);

}  // namespace testsupport
