#include "tallyhold/windows/ScanDirTree.h"

#include <QLabel>
#include <QTreeWidget>
#include <memory>

#include "common/platform/DialogService.h"
#include "common/platform/DoEvents.h"
#include "common/platform/FileNumbers.h"
#include "common/platform/MousePointer.h"
#include "engine/archive/ArchiveOpening.h"
#include "engine/archive/DATFunctions.h"
#include "tallyhold/windows/AppInfo.h"
#include "tallyhold/windows/DAT_Container.h"
#include "tallyhold/windows/DAT_Info.h"
#include "tallyhold/windows/Main_Container.h"
#include "tallyhold/windows/ProgressForm.h"
#include "tallyhold/windows/StopToken.h"

namespace tallyhold {
namespace {

using platform::MousePointer;

// Not a child of the frame: the frame is disabled while the scan runs, and
// Cancel must stay usable.
std::unique_ptr<ProgressForm> showScanProgress(StopToken& stop, int32_t filesTotal) {
  auto form = std::make_unique<ProgressForm>(stop);
  form->show();
  platform::SetScreenPointer(MousePointer::ArrowHourglass);
  form->setWindowTitle(QStringLiteral("Retrieving DAT DirTree Information"));
  form->Message().setText(QStringLiteral("This could take up to a minute depending on the speed "
                                         "of your computer. Please, be patient."));
  form->Status().setText(QStringLiteral("Scanning DAT..."));
  form->Bar().SetMax(static_cast<float>(filesTotal + 1) / 4);
  form->Bar().SetValue(0.0001f);
  form->repaint();
  return form;
}

// Hidden, not closed: closing it would ask to stop, as Esc does.
void unload(std::unique_ptr<ProgressForm>& form) {
  form->hide();
  form.reset();
}

void enableFrame(Main_Container& frame) {
  frame.setEnabled(true);
  frame.activateWindow();
  frame.setFocus();
  platform::SetScreenPointer(MousePointer::Default);
}

// Nothing of the archive stays: its file, its folders, its window and the
// information window's values go.
void stopScan(Main_Container& frame, DAT_Container& window, int fileNo, engine::ClsDatFile& archive,
              std::unique_ptr<ProgressForm>& form) {
  platform::CloseFile(fileNo);
  archive.SetColTrees(nullptr);
  window.close();
  frame.Info().ClearValues();
  unload(form);
  enableFrame(frame);
}

// As a stop, then the reason: the archive's folders are gone before the box shows.
void failScan(Main_Container& frame, DAT_Container& window, int fileNo, engine::ClsDatFile& archive,
              std::unique_ptr<ProgressForm>& form, const QString& reason) {
  stopScan(frame, window, fileNo, archive, form);
  platform::Dialogs().message(QStringLiteral("Reading the archive %1 failed: %2.").arg(archive.Key, reason),
                              AppTitle(), platform::MsgIcon::Critical, platform::MsgButtons::Ok);
}

}  // namespace

bool ScanDirTree(Main_Container& frame, DAT_Container& window, int fileNo, int32_t archiveNumber) {
  const std::shared_ptr<engine::ClsDatFile> archive = frame.State().DATFiles.Item(archiveNumber);
  StopToken stop;
  std::unique_ptr<ProgressForm> form = showScanProgress(stop, archive->FilesTotal);
  frame.setEnabled(false);
  frame.SetStatus(QStringLiteral("Adding Tree Entries..."));
  window.SetArchive(archive);
  frame.RefreshActiveDAT();

  try {
    engine::DirTreeReader reader(*platform::SourceOf(fileNo), *archive);
    engine::ScanProgressStep progressStep;
    platform::YieldPacer yields;
    for (int32_t i = 1; i <= archive->FilesTotal; ++i) {
      if (stop.Requested()) {
        stopScan(frame, window, fileNo, *archive, form);
        return false;
      }
      for (const engine::TreeNode& node : reader.ReadNext()) window.AddNode(node);
      if (progressStep.Next()) form->Bar().SetValue(form->Bar().Value() + 1);
      yields.AfterItem();
    }
  } catch (const engine::ArchiveRefused& refused) {
    failScan(frame, window, fileNo, *archive, form, refused.refusal().detail);
    return false;
  } catch (const std::bad_alloc&) {
    failScan(frame, window, fileNo, *archive, form,
             QStringLiteral("there is not enough memory for its directory"));
    return false;
  }

  unload(form);
  window.ListFolder(QByteArrayLiteral("\\"));
  // The root node selected, as the list shows its folder: entries selected
  // straight after opening are then found by Extract selected.
  window.SetRootListed();
  enableFrame(frame);
  return true;
}

}  // namespace tallyhold
