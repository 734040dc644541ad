// "Open DAT..." and the load behind it.
#include <QDir>
#include <QMdiArea>

#include "common/platform/DialogService.h"
#include "common/platform/FileNumbers.h"
#include "engine/archive/ArchiveOpening.h"
#include "tallyhold/windows/AppInfo.h"
#include "tallyhold/windows/DAT_Container.h"
#include "tallyhold/windows/DAT_Info.h"
#include "tallyhold/windows/Main_Container.h"
#include "tallyhold/windows/ScanDirTree.h"

namespace tallyhold {
namespace {

// Only the trailer test's refusal is the plain box without an icon.
void refuseArchive(const QString& sFileName, const engine::ArchiveRefusal& refusal) {
  using Kind = engine::ArchiveRefusal::Kind;
  QString text = QStringLiteral("This is not a Skarrow 2 DAT file!");
  if (refusal.kind == Kind::CannotOpen)
    text = QStringLiteral("The file %1 could not be opened: %2.").arg(sFileName, refusal.detail);
  else if (refusal.kind != Kind::NotAnArchive)
    text = QStringLiteral("%1 is not a Skarrow 2 DAT file: %2.").arg(sFileName, refusal.detail);
  platform::Dialogs().message(text, AppTitle(),
                              refusal.kind == Kind::NotAnArchive ? platform::MsgIcon::None
                                                                 : platform::MsgIcon::Critical,
                              platform::MsgButtons::Ok);
}

}  // namespace

void Main_Container::openArchive() {
  SetStatus(QStringLiteral("Load new DAT..."));
  const QString path = platform::Dialogs()
                           .openFile(QStringLiteral("Open DAT"),
                                     {{QStringLiteral("Skarrow 2 DAT Files (*.dat)"), QStringLiteral("*.dat")},
                                      {QStringLiteral("Everything (*.*)"), QStringLiteral("*.*")}},
                                     QDir::currentPath())
                           .trimmed();
  if (path.isEmpty()) {
    SetStatus(QStringLiteral("Nothing to do."));
    return;
  }
  SetStatus(QStringLiteral("Loading ") + path);
  ReadSkarrow2DAT(path);
}

// A load that failed or was cancelled leaves the status line idle.
void Main_Container::ReadSkarrow2DAT(const QString& sFileName) {
  if (loadArchive(sFileName))
    EnableExtraction(true);
  else
    SetStatus(QStringLiteral("Nothing to do."));
}

bool Main_Container::loadArchive(const QString& sFileName, DAT_Container* into) {
  QString reason;
  const int fileNo = platform::OpenFreeFile(sFileName, &reason);
  if (!fileNo) {
    refuseArchive(sFileName, {engine::ArchiveRefusal::Kind::CannotOpen, reason});
    return false;
  }
  const engine::OpenedArchive opened = engine::OpenArchive(platform::SourceOf(fileNo));
  if (!opened) {
    platform::CloseFile(fileNo);
    refuseArchive(sFileName, opened.Refusal);
    return false;
  }
  const int16_t loadFileNo = static_cast<int16_t>(fileNo);
  DAT_Container& window = into ? *into : newArchiveWindow();

  const int32_t loadIndex = loadFileNo;
  const std::shared_ptr<engine::ClsDatFile> archive = state_.DATFiles.Add(loadIndex, sFileName, {});
  window.setWindowTitle(sFileName);
  archive->SetFixedInfo(opened.Info);
  Info().ShowValues(*archive);

  return ScanDirTree(*this, window, loadFileNo, loadIndex);
}

DAT_Container& Main_Container::newArchiveWindow() {
  const int32_t slot = state_.AddWindowSlot();
  auto* window = new DAT_Container(slot, ListPopup(), TreePopup());
  state_.DATWindows[static_cast<std::size_t>(slot)] = window;
  follow(*window);
  MdiArea().addSubWindow(window);
  window->resize(window->sizeHint().boundedTo(MdiArea().viewport()->size()));
  window->show();
  MdiArea().setActiveSubWindow(window);
  window->ClearPanes();
  window->AddNode({QStringLiteral("root"), QStringLiteral("\\"), {}});
  return *window;
}

}  // namespace tallyhold
