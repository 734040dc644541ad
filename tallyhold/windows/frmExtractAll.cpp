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

// Every entry in folder order; the bar moves after the last entry of each folder.
std::vector<const engine::ClsTreeDir*> allEntries(const engine::ColTrees& trees,
                                                  QSet<const engine::ClsTreeDir*>& lastOfFolder) {
  std::vector<const engine::ClsTreeDir*> entries;
  for (const auto& folder : trees) {
    for (const auto& entry : *folder) entries.push_back(entry.get());
    if (folder->Count() > 0) lastOfFolder.insert(entries.back());
  }
  return entries;
}

}  // namespace

frmExtractAll::frmExtractAll(const ExtractSource& source, const QList<QByteArray>& treeFolders)
    : DestinationChooser(source, {5175, 2820}, {3600, 1440, 1395, 315}, {3540, 2340, 1515, 375}),
      treeFolders_(treeFolders) {
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
  engine::ExtractionRun run(platform::SourceOf(source_.Archive->Index), destination, progress,
                            [&stop] { return stop.Requested(); });
  if (run.OpenDestination()) {
    progress.ShowStep(QStringLiteral("Creating directories..."));
    if (run.MakeFolders(treeFolders_)) {
      progress.ShowStep(QStringLiteral("Extracting..."));
      QSet<const engine::ClsTreeDir*> lastOfFolder;
      const std::vector<const engine::ClsTreeDir*> entries = allEntries(trees, lastOfFolder);
      progress.SetBarStep([&lastOfFolder](const engine::ClsTreeDir& entry) { return lastOfFolder.contains(&entry); });
      run.Extract(entries, engine::ExtractionRun::OnStop::KeepFiles);
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
