#include "tallyhold/windows/frmExtractAll.h"

#include <QFileInfo>
#include <QPushButton>
#include <QSet>

#include "common/platform/DialogService.h"
#include "common/platform/FileNumbers.h"
#include "engine/extract/ExtractionRun.h"
#include "tallyhold/windows/RunProgress.h"
#include "tallyhold/windows/StopToken.h"

namespace tallyhold {
namespace {

// The bar moves after the last entry of each folder.
QSet<const engine::ClsTreeDir*> lastOfFolders(const engine::ColTrees& trees) {
  QSet<const engine::ClsTreeDir*> last;
  for (const auto& folder : trees)
    if (folder->Count() > 0) last.insert(folder->Item(folder->Count()).get());
  return last;
}

}  // namespace

frmExtractAll::frmExtractAll(const ExtractSource& source)
    : DestinationChooser(source, {5175, 2820}, {3600, 1440, 1395, 315}, {3540, 2340, 1515, 375}),
      plan_(engine::PlanAll(source.Archive->ColTrees())) {
  setObjectName(QStringLiteral("frmExtractAll"));
  setWindowTitle(QStringLiteral("Extract All"));
  connect(PlaceButton("Extract", "Command1", {3540, 1860, 1515, 375}), &QPushButton::clicked, this,
          &frmExtractAll::extract);
}

QString frmExtractAll::DestRoot() const {
  return FolderWithSeparator() + QFileInfo(source_.ArchivePath).fileName();
}

void frmExtractAll::extract() {
  SetRunning(true);
  StopToken stop;
  RunProgress progress("Extracting all from " + source_.ArchivePath + "...", stop);
  engine::ColTrees& trees = source_.Archive->ColTrees();
  progress.SetBar(static_cast<float>(trees.Count() + 1), 1);
  engine::ExtractDestination destination(Folder(), QFileInfo(source_.ArchivePath).fileName(),
                                         engine::ExtractDestination::Layout::Tree);
  engine::ExtractionRun run(
      platform::SourceOf(source_.Archive->Index), destination, progress, [&stop] { return stop.Requested(); },
      source_.Workers);
  if (run.OpenDestination()) {
    progress.ShowStep(QStringLiteral("Creating directories..."));
    if (run.MakeFolders(plan_.folders)) {
      progress.ShowStep(QStringLiteral("Extracting..."));
      const QSet<const engine::ClsTreeDir*> lastOfFolder = lastOfFolders(trees);
      progress.SetBarStep(
          [&lastOfFolder](const engine::ClsTreeDir& entry) { return lastOfFolder.contains(&entry); });
      run.Extract(plan_.entries, engine::ExtractionRun::OnStop::KeepFiles);
    }
  }
  if (!Completed(progress, run.Report())) return;
  EndRun(progress);
  const engine::RunReport& report = run.Report();
  TellCompletion(DestRoot() + " was created succesfully! " +
                     QString::number(CountToTell(source_.Archive->FilesTotal, report)) + " files extracted.",
                 report);
}

}  // namespace tallyhold
