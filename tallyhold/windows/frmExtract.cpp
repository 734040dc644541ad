#include "tallyhold/windows/frmExtract.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "common/platform/DialogService.h"
#include "common/platform/FileNumbers.h"
#include "common/platform/Twips.h"
#include "engine/archive/CommonFunctions.h"
#include "engine/extract/ExtractionRun.h"
#include "tallyhold/windows/RunProgress.h"
#include "tallyhold/windows/StopToken.h"

namespace tallyhold {
namespace {

using platform::MsgButtons;
using platform::MsgIcon;

}  // namespace

frmExtract::frmExtract(const ExtractSource& source)
    : DestinationChooser(source, {5550, 3240}, {180, 2820, 1335, 375}, {2280, 2820, 1095, 375}) {
  setObjectName(QStringLiteral("frmExtract"));
  setWindowTitle(QStringLiteral("Extract single/multiple files or an entire folder"));
  whatLabel_ = platform::Place(new QLabel(QStringLiteral("ERROR to extract:"), this), "Label2",
                               {3540, 60, 1875, 195});
  folderKey_ = platform::Place(new QLineEdit(QStringLiteral("ERROR"), this), "DirText", {3480, 300, 1995, 285});
  // Screen readers name the box after the label above it, whichever mode it tells.
  whatLabel_->setBuddy(folderKey_);
  names_ = platform::Place(new QListWidget(this), "List1", {3480, 600, 1995, 2010});
  connect(PlaceButton("Extract!", "Command1", {3780, 2820, 1515, 375}), &QPushButton::clicked, this,
          &frmExtract::extract);
}

// Letter case does not count in the folder key, as in the scan's own folder search.
void frmExtract::ShowSelection(ExtractionMode mode, const QByteArray& folderKey, const QStringList& names) {
  const engine::ColTrees& trees = source_.Archive->ColTrees();
  plan_.reset();
  if (mode == ExtractionMode::Folder && !folderKey.isEmpty()) plan_ = engine::PlanFolder(trees, folderKey);
  if (mode == ExtractionMode::Files && !folderKey.isEmpty()) plan_ = engine::PlanNamed(trees, folderKey, names);
  showMode(mode, names);
  if (!folderKey.isEmpty()) folderKey_->setText(QString::fromLatin1(folderKey));
}

void frmExtract::ShowEntries(const std::vector<const engine::ClsTreeDir*>& entries) {
  plan_ = engine::ExtractionPlan{entries, {}};
  QStringList names;
  for (const engine::ClsTreeDir* entry : entries)
    names << QString::fromLatin1(engine::GetFileName(entry->Filename));
  showMode(ExtractionMode::Files, names);
}

void frmExtract::showMode(ExtractionMode mode, const QStringList& names) {
  mode_ = mode;
  names_->clear();
  const bool files = mode == ExtractionMode::Files;
  whatLabel_->setText(files ? QStringLiteral("Files to extract:") : QStringLiteral("Folder to extract:"));
  names_->addItems(files ? names : QStringList{QStringLiteral("*.*")});
  namesShown_ = files ? names.size() : 0;
}

void frmExtract::extract() {
  SetRunning(true);
  StopToken stop;
  RunProgress progress("Extracting from " + source_.ArchivePath + "...", stop);
  engine::ExtractDestination destination(Folder(), {}, engine::ExtractDestination::Layout::Flat);
  engine::ExtractionRun run(
      platform::SourceOf(source_.Archive->Index), destination, progress, [&stop] { return stop.Requested(); },
      source_.Workers);
  // A destination folder that vanished after it was chosen ends the run here.
  if (!run.OpenDestination()) {
    Completed(progress, run.Report());
    return;
  }
  if (!plan_)
    nothingToExtract(progress);
  else if (mode_ == ExtractionMode::Folder)
    extractFolder(run, progress);
  else
    extractFiles(run, progress);
}

void frmExtract::extractFolder(engine::ExtractionRun& run, RunProgress& progress) {
  const auto count = static_cast<qint64>(plan_->entries.size());
  progress.SetBar(static_cast<float>(count + 1), 1);
  progress.ShowStep(QStringLiteral("Extracting..."));
  run.Extract(plan_->entries, engine::ExtractionRun::OnStop::RemoveNewFiles);
  if (!Completed(progress, run.Report())) return;
  EndRun(progress);
  const engine::RunReport& report = run.Report();
  TellCompletion(QString::number(CountToTell(count, report)) + " files extracted to " + DestRoot(), report);
}

// A stop keeps what was extracted: those files are complete and were asked for.
void frmExtract::extractFiles(engine::ExtractionRun& run, RunProgress& progress) {
  progress.SetBar(static_cast<float>(namesShown_ + 1), 1);
  run.Extract(plan_->entries, engine::ExtractionRun::OnStop::KeepFiles);
  if (!Completed(progress, run.Report())) return;
  const engine::RunReport& report = run.Report();
  TellCompletion(QString::number(CountToTell(namesShown_, report)) + " files were succesfully extracted to " +
                     DestRoot(),
                 report);
  EndRun(progress);
}

void frmExtract::nothingToExtract(RunProgress& progress) {
  platform::Dialogs().message(QStringLiteral("There are no files in that folder!"),
                              QStringLiteral("Danger Danger!"), MsgIcon::Exclamation, MsgButtons::Ok);
  EndRun(progress);
}

}  // namespace tallyhold
