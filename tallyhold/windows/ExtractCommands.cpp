// The two extraction commands of the frame: the Tools items, the popups' items
// and the archive windows' "r" and "s" keys all come here. They gather what the
// dialogs need from the active archive window and show them, not modal; a
// dialog disables the frame while it is open.
#include "common/platform/DialogService.h"
#include "engine/archive/CommonFunctions.h"
#include "tallyhold/windows/AppInfo.h"
#include "tallyhold/windows/DAT_Container.h"
#include "tallyhold/windows/Main_Container.h"
#include "tallyhold/windows/frmExtract.h"
#include "tallyhold/windows/frmExtractAll.h"

namespace tallyhold {
namespace {

// The folder the list pane shows holds entries to extract, and the first has a
// name (a list showing none could not be told from an empty one).
bool hasEntriesListed(engine::ClsDatFile& archive, const DAT_Container& window) {
  const std::shared_ptr<engine::ColSubTree> folder = archive.ColTrees().Find(
      QString::fromLatin1(window.Listing().Path()));
  return folder && folder->Count() > 0 && !engine::GetFileName(folder->Item(1)->Filename).isEmpty();
}

ExtractionMode modeOf(Pane pane) {
  switch (pane) {
    case Pane::List:
      return ExtractionMode::Files;
    case Pane::Tree:
      return ExtractionMode::Folder;
    default:
      return ExtractionMode::Neither;
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
  auto* dialog = new frmExtractAll({this, archive, state_.ActiveDAT.Caption});
  dialog->show();
}

void Main_Container::ExtractSelected() {
  const auto archive = state_.DATFiles.Find(state_.ActiveDAT.Index);
  const DAT_Container* window = state_.WindowInSlot(state_.ActiveDAT.WindowIndex);
  if (!archive || !window || !hasEntriesListed(*archive, *window)) {
    platform::Dialogs().message(
        QStringLiteral("Please select a folder or a group of files if you really want to extract"),
        QStringLiteral("No files/folder selected"), platform::MsgIcon::Exclamation, platform::MsgButtons::Ok);
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
