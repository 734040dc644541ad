#include "tallyhold/extract/frmExtractAll.h"

#include <QFileInfo>
#include <QPushButton>
#include <memory>

#include "common/platform/DialogService.h"
#include "tallyhold/archive/Globals.h"
#include "tallyhold/extract/ExtractErrors.h"
#include "tallyhold/extract/ExtractReport.h"
#include "tallyhold/extract/FileDecompressor.h"
#include "tallyhold/extract/OutputPaths.h"
#include "tallyhold/extract/RunProgress.h"

namespace tallyhold {

frmExtractAll::frmExtractAll(const ExtractSource& source, const QList<QByteArray>& treeFolders)
    : DestinationChooser(source.MainWindow, {5175, 2820}, {3600, 1440, 1395, 315}, {3540, 2340, 1515, 375}),
      source_(source),
      treeFolders_(treeFolders) {
  setObjectName(QStringLiteral("frmExtractAll"));
  setWindowTitle(QStringLiteral("Extract All"));
  Command1 = PlaceButton("Extract", "Command1", {3540, 1860, 1515, 375});
  connect(Command1, &QPushButton::clicked, this, &frmExtractAll::Command1_Click);
}

QString frmExtractAll::DestRoot() const {
  return FolderWithSeparator() + QFileInfo(source_.ArchivePath).fileName();
}

void frmExtractAll::Command1_Click() {
  SetRunning(true);
  RunProgress progress("Extracting all from " + source_.ArchivePath + "...");
  progress.SetBar(static_cast<float>(source_.Archive->ColTrees().Count() + 1), 1);
  const QString destRoot = DestRoot();
  ExtractDestination destination(destRoot, ExtractDestination::Layout::Tree);
  try {
    createFolders(destination, progress);
  } catch (const DestinationError& error) {
    FailRun(progress, {ExtractOutcome::WriteFailed, error.file(), error.reason()});
    return;
  }
  SkippedEntries skipped;
  if (!extractEntries(destination, progress, skipped)) return;
  EndRun(progress);
  platform::Dialogs().message(destRoot + " was created succesfully! " +
                                  QString::number(source_.Archive->FilesTotal) + " files extracted." +
                                  skipped.CompletionAddition(),
                              QStringLiteral("Extraction complete!"), platform::MsgIcon::Information,
                              platform::MsgButtons::Ok);
}

// The root first: a destination that cannot be made stops the run here. A
// folder whose name is unsafe is not made; its entries are skipped later.
void frmExtractAll::createFolders(ExtractDestination& destination, RunProgress& progress) const {
  destination.FolderOf(QByteArrayLiteral("\\"));
  progress.ShowStep(QStringLiteral("Creating directories..."));
  for (const QByteArray& folder : treeFolders_) {
    try {
      destination.FolderOf(folder + '\\');
    } catch (const EntryDataError&) {
    }
  }
}

bool frmExtractAll::extractEntries(ExtractDestination& destination, RunProgress& progress,
                                   SkippedEntries& skipped) {
  progress.ShowStep(QStringLiteral("Extracting..."));
  StopRequested = false;
  std::unique_ptr<FileDecompressor> decompressor;
  const StatusSink status = progress.Sink();
  for (const auto& folder : source_.Archive->ColTrees()) {
    for (const auto& entry : *folder) {
      if (StopRequested) {
        StopRun(progress);
        return false;
      }
      progress.EntryStatus("Extracting " + QString::fromLatin1(entry->Filename));
      const ExtractResult result =
          ExtractEntry(*entry, source_.Archive->Index, decompressor, false, destination, status);
      if (result.outcome == ExtractOutcome::WriteFailed) {
        FailRun(progress, result);
        return false;
      }
      if (result.outcome == ExtractOutcome::Skipped) skipped.Add(entry->Filename);
      progress.AfterEntry();
    }
    progress.AddToBar();
  }
  progress.Flush();
  return true;
}

}  // namespace tallyhold
