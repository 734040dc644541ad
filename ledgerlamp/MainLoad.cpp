// Choosing, loading and unloading an archive.
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <memory>

#include "common/platform/DialogService.h"
#include "common/platform/DoEvents.h"
#include "common/platform/FileNumbers.h"
#include "ledgerlamp/About.h"
#include "ledgerlamp/Main.h"
#include "ledgerlamp/ProgressForm.h"
#include "ledgerlamp/Version.h"

namespace ledgerlamp {
namespace {

using platform::Dialogs;
using platform::MsgButtons;
using platform::MsgIcon;

void reportRefusal(const LoadError& error) {
  const MsgIcon icon = error.kind() == LoadError::NotAnArchive ? MsgIcon::None : MsgIcon::Exclamation;
  Dialogs().message(error.message(), QString::fromLatin1(ProgramTitle), icon, MsgButtons::Ok);
}

}  // namespace

void Main::chooseArchive() {
  const QList<platform::FileFilter> filters = {{QStringLiteral("DAT Files (*.dat)"), QStringLiteral("*.dat")},
                                               {QStringLiteral("Everything (*.*)"), QStringLiteral("*.*")}};
  const QString chosen = Dialogs().openFile(QStringLiteral("Open DAT"), filters, QDir::currentPath()).trimmed();
  if (!chosen.isEmpty()) LoadGiven(chosen);
}

void Main::LoadGiven(const QString& path) {
  aboutWindow()->setLoadedPath(path);
  ReadSkarrow2DAT(path);
}

void Main::ReadSkarrow2DAT(const QString& path) {
  auto progress = std::make_unique<ProgressForm>(this);
  setEnabled(false);
  progress->setStatus(QStringLiteral("Initializing..."));
  platform::ShowAtOnce(progress.get());
  try {
    ReaderState loaded = LoadDAT(path, [&progress](const QString& status) { progress->setStatus(status); });
    progress->setStatus(QStringLiteral("Ready!"));
    progress.reset();
    adoptArchive(std::move(loaded));
  } catch (const LoadError& error) {
    reportRefusal(error);
    setEnabled(true);
  }
}

// The new archive passed every check: only now is the one loaded before let go.
void Main::adoptArchive(ReaderState loaded) {
  CloseAllExcept(loaded.DatFile);
  state_ = std::move(loaded);
  setEnabled(true);
  activateWindow();
  setFocus();
  showLoadedArchive();
}

void Main::showLoadedArchive() {
  const bool hasRecords = state_.RecordCount() > 0;
  if (hasRecords)
    showRecordOrReport(0);
  else
    clearRecordBoxes();
  setMovingEnabled(hasRecords);
  unloadButton_->setEnabled(true);
  showValue(dataSizeBox_, QString::number(state_.DATSizes.DataSize) + QStringLiteral(" bytes"));
  showValue(treeSizeBox_, QString::number(state_.DATSizes.TreeSize) + QStringLiteral(" bytes"));
  showValue(filesTotalBox_, QString::number(state_.FilesTotal));
  applyIndexRule();
}

void Main::unloadArchive() {
  platform::CloseAll();
  state_.Source.reset();
  unloadButton_->setEnabled(false);
  setMovingEnabled(false);
  for (QLineEdit* box : {filesTotalBox_, treeSizeBox_, dataSizeBox_}) box->clear();
  clearRecordBoxes();
}

}  // namespace ledgerlamp
