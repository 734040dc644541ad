// "Open DAT..." and the load behind it.
#include <QDir>
#include <QMdiArea>
#include <optional>

#include "common/dat/DatFormat.h"
#include "common/platform/DialogService.h"
#include "common/platform/FileNumbers.h"
#include "tallyhold/archive/Globals.h"
#include "tallyhold/windows/AppInfo.h"
#include "tallyhold/windows/DAT_Container.h"
#include "tallyhold/windows/DAT_Info.h"
#include "tallyhold/windows/Main_Container.h"
#include "tallyhold/windows/ScanDirTree.h"

namespace tallyhold {
namespace {

using platform::MsgButtons;
using platform::MsgIcon;

void refuse(const QString& text, MsgIcon icon = MsgIcon::Critical) {
  platform::Dialogs().message(text, AppTitle(), icon, MsgButtons::Ok);
}

// Opens the file under the next free number; false after telling the user why not.
bool openUnderFreeNumber(const QString& path) {
  LoadFileNo = static_cast<int16_t>(platform::FreeFile());
  QString reason = QStringLiteral("all %1 file numbers are in use").arg(platform::MaxFileNumber);
  if (LoadFileNo != 0 && dat::OpenDAT(path, LoadFileNo, &reason)) return true;
  refuse(QStringLiteral("The file %1 could not be opened: %2.").arg(path, reason));
  return false;
}

// The trailer's values, read before anything of the archive is registered so
// that a refused file leaves nothing behind. On a refusal the file is closed.
std::optional<dat::FixedDATInfo> validatedInfo(const QString& path) {
  if (!dat::IsSkarrow2DAT(LoadFileNo, path)) {
    refuse(QStringLiteral("This is not a Skarrow 2 DAT file!"), MsgIcon::None);
    platform::CloseFile(LoadFileNo);
    return std::nullopt;
  }
  try {
    return dat::GetFixedDATInfo(LoadFileNo, platform::FileLength(LoadFileNo));
  } catch (const dat::DatError& error) {
    refuse(QStringLiteral("%1 is not a Skarrow 2 DAT file: %2.").arg(path, error.message()));
    platform::CloseFile(LoadFileNo);
    return std::nullopt;
  }
}

}  // namespace

void Main_Container::mnuOpenDAT_Click() {
  SetStatus(QStringLiteral("Load new DAT..."));
  const QString path =
      platform::Dialogs()
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

bool Main_Container::loadArchive(const QString& sFileName) {
  if (!openUnderFreeNumber(sFileName)) return false;
  const std::optional<dat::FixedDATInfo> info = validatedInfo(sFileName);
  if (!info) return false;

  LastWindowIndex = AddWindowSlot();
  auto* window = new DAT_Container(*this);
  DATWindows[LastWindowIndex] = window;
  window->Tag = QString::number(LastWindowIndex);
  MdiArea().addSubWindow(window);
  window->resize(window->sizeHint().boundedTo(MdiArea().viewport()->size()));
  window->show();
  window->ClearPanes();
  window->AddNode({QStringLiteral("root"), QStringLiteral("\\"), {}});

  LoadIndex = LoadFileNo;
  ActiveDAT.FileNumber = QString::number(LoadFileNo);
  const std::shared_ptr<ClsDatFile> archive = DATFiles->Add(LoadIndex, sFileName, {});
  window->setWindowTitle(sFileName);
  archive->DataSize = info->DataSize;
  archive->TreeSize = info->TreeSize;
  archive->DirTreeAddr = info->DirTreeAddr;
  archive->FilesTotal = info->FilesTotal;
  Info().ShowValues(*archive);

  return ScanDirTree(*this, LoadFileNo, LoadIndex);
}

}  // namespace tallyhold
