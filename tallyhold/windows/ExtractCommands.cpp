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

// Opens the extract-all dialog (frmExtractAll, not modal) once that dialog exists.
void Main_Container::extractall_Click() {}

// Refuses an empty list pane; the selection goes from here into the
// extract-selected dialog (frmExtract) once that dialog exists.
void Main_Container::extractselected_Click() {
  if (activeListHasEntries()) return;
  platform::Dialogs().message(
      QStringLiteral("Please select a folder or a group of files if you really want to extract"),
      QStringLiteral("No files/folder selected"), platform::MsgIcon::Exclamation,
      platform::MsgButtons::Ok);
}

}  // namespace tallyhold
