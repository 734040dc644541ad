#include "common/platform/DoEvents.h"

#include <QCoreApplication>

namespace platform {

void DoEvents() { QCoreApplication::processEvents(); }

}  // namespace platform
