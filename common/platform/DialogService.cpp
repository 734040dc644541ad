#include "common/platform/DialogService.h"

#include "common/platform/QtDialogService.h"

namespace platform {
namespace {
DialogService* installed = nullptr;
}

DialogService& Dialogs() {
  static QtDialogService qtService;
  return installed ? *installed : qtService;
}

void SetDialogs(DialogService* service) { installed = service; }

}  // namespace platform
