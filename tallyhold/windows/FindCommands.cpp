// Find entries and showing an entry found: the frame opens the Find window on
// the active archive and brings an entry into view in that archive's window.
#include <QMdiArea>

#include "common/platform/DialogService.h"
#include "tallyhold/windows/AppInfo.h"
#include "tallyhold/windows/DAT_Container.h"
#include "tallyhold/windows/Main_Container.h"
#include "tallyhold/windows/frmFind.h"

namespace tallyhold {

// One Find window at a time; it follows the archive active when it is asked for.
void Main_Container::ShowFind() {
  const auto archive = state_.DATFiles.Find(state_.ActiveDAT.Index);
  DAT_Container* window = state_.WindowInSlot(state_.ActiveDAT.WindowIndex);
  if (!archive || !window) {
    platform::Dialogs().message(QStringLiteral("There is no DAT file open to search."), AppTitle(),
                                platform::MsgIcon::Exclamation, platform::MsgButtons::Ok);
    return;
  }
  if (find_ && find_->ArchiveNumber() != archive->Index) delete find_;
  if (!find_) find_ = new frmFind(*this, *window, archive);
  find_->show();
  find_->raise();
  find_->activateWindow();
}

// A folder the tree has no node for gets one with All folders on, unless the
// archive has more folders than the tree takes.
void Main_Container::ShowEntry(int32_t archiveNumber, const QByteArray& name) {
  for (const QPointer<DAT_Container>& window : state_.DATWindows) {
    if (!window || window->ArchiveNumber() != archiveNumber) continue;
    mdiArea_->setActiveSubWindow(window);
    if (window->ShowEntry(name)) return;
    if (!allFoldersItem_->isChecked()) {
      allFoldersItem_->setChecked(true);
      if (window->ShowEntry(name)) return;
    }
    platform::Dialogs().message(QStringLiteral("The folder of this entry has no node in the tree."), AppTitle(),
                                platform::MsgIcon::Exclamation, platform::MsgButtons::Ok);
    return;
  }
}

}  // namespace tallyhold
