#include "common/platform/ShellOpen.h"

#include <QDesktopServices>
#include <QUrl>

namespace platform {
namespace {
ShellOpenHandler& handler() {
  static ShellOpenHandler installed;
  return installed;
}
}  // namespace

void ShellOpen(const QString& address) {
  if (handler()) {
    handler()(address);
    return;
  }
  QDesktopServices::openUrl(QUrl(address));
}

void SetShellOpenHandler(ShellOpenHandler newHandler) { handler() = std::move(newHandler); }

}  // namespace platform
