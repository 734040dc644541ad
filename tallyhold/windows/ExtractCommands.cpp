// The two extraction commands of the frame: the Tools items, the popups' items
// and the archive windows' "r" and "s" keys all come here. They gather what the
// dialogs need from the active archive window and show them, not modal; a
// dialog disables the frame while it is open.
#include "common/platform/DialogService.h"
#include "tallyhold/windows/AppInfo.h"
#include "tallyhold/windows/DAT_Container.h"
#include "tallyhold/windows/Main_Container.h"
#include "tallyhold/windows/frmExtract.h"
#include "tallyhold/windows/frmExtractAll.h"

namespace tallyhold {
namespace {

// The list pane holds entries to extract: at least one row, and the first is
// neither empty nor the "Empty folder" row.
bool hasEntriesListed(const DAT_Container& window) {
  const engine::FolderListing& listing = window.Listing();
  const QString first = listing.RowCount() > 0 ? listing.Cell(0, 0) : QString();
  return !first.isEmpty() && first != QLatin1String("Empty folder");
}

ExtractionMode modeOf(Pane pane) {
  switch (pane) {
    case Pane::List: return ExtractionMode::Files;
    case Pane::Tree: return ExtractionMode::Folder;
    default: return ExtractionMode::Neither;
  }
}

}  // namespace

// Once every archive window has been closed the items stay enabled, but there
// is no archive left to extract.
void Main_Container::ExtractAll() {
  const auto archive = state_.DATFiles.Find(state_.ActiveDAT.Index);
  const DAT_Container* window = state_.WindowInSlot(state_.ActiveDAT.WindowIndex);
  if (!archive || !window) {
    platform::Dialogs().message(QStringLiteral("There is no DAT file open to extract."), AppTitle(),
                                platform::MsgIcon::Exclamation, platform::MsgButtons::Ok);
    return;
  }
  auto* dialog = new frmExtractAll({this, archive, state_.ActiveDAT.Caption},
                                   window->TreeFolders());
  dialog->show();
}

void Main_Container::ExtractSelected() {
  const auto archive = state_.DATFiles.Find(state_.ActiveDAT.Index);
  const DAT_Container* window = state_.WindowInSlot(state_.ActiveDAT.WindowIndex);
  if (!archive || !window || !hasEntriesListed(*window)) {
    platform::Dialogs().message(
        QStringLiteral("Please select a folder or a group of files if you really want to extract"),
        QStringLiteral("No files/folder selected"), platform::MsgIcon::Exclamation,
        platform::MsgButtons::Ok);
    return;
  }
  auto* dialog = new frmExtract({this, archive, state_.ActiveDAT.Caption});
  dialog->show();
  const ExtractionMode mode = modeOf(state_.ActivePane);
  // Entries are found in the folder the list shows, the one their names came from.
  if (mode == ExtractionMode::Files)
    dialog->ShowSelection(mode, window->Listing().Path(), window->SelectedNames());
  else
    dialog->ShowSelection(mode, window->SelectedFolderKey(), {});
}

}  // namespace tallyhold
