#include "tallyhold/windows/frmExtract.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSet>

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

// The folder's entries whose name is among names, each once, in folder order.
std::vector<const engine::ClsTreeDir*> entriesNamed(const engine::ColSubTree& folder, const QSet<QString>& names) {
  std::vector<const engine::ClsTreeDir*> entries;
  for (const auto& entry : folder)
    if (names.contains(QString::fromLatin1(engine::GetFileName(entry->Filename)))) entries.push_back(entry.get());
  return entries;
}

std::vector<const engine::ClsTreeDir*> entriesOf(const engine::ColSubTree& folder) {
  std::vector<const engine::ClsTreeDir*> entries;
  for (const auto& entry : folder) entries.push_back(entry.get());
  return entries;
}

}  // namespace

frmExtract::frmExtract(const ExtractSource& source)
    : DestinationChooser(source, {5550, 3240}, {180, 2820, 1335, 375}, {2280, 2820, 1095, 375}) {
  setObjectName(QStringLiteral("frmExtract"));
  setWindowTitle(QStringLiteral("Extract single/multiple files or an entire folder"));
  whatLabel_ = platform::Place(new QLabel(QStringLiteral("ERROR to extract:"), this), "Label2", {3540, 60, 1875, 195});
  folderKey_ = platform::Place(new QLineEdit(QStringLiteral("ERROR"), this), "DirText", {3480, 300, 1995, 285});
  // Screen readers name the box after the label above it, whichever mode it tells.
  whatLabel_->setBuddy(folderKey_);
  names_ = platform::Place(new QListWidget(this), "List1", {3480, 600, 1995, 2010});
  connect(PlaceButton("Extract!", "Command1", {3780, 2820, 1515, 375}), &QPushButton::clicked, this,
          &frmExtract::extract);
}

void frmExtract::ShowSelection(ExtractionMode mode, const QByteArray& folderKey, const QStringList& names) {
  mode_ = mode;
  names_->clear();
  const bool files = mode == ExtractionMode::Files;
  whatLabel_->setText(files ? QStringLiteral("Files to extract:") : QStringLiteral("Folder to extract:"));
  names_->addItems(files ? names : QStringList{QStringLiteral("*.*")});
  if (!folderKey.isEmpty()) folderKey_->setText(QString::fromLatin1(folderKey));
}

void frmExtract::extract() {
  SetRunning(true);
  StopToken stop;
  RunProgress progress("Extracting from " + source_.ArchivePath + "...", stop);
  engine::ExtractDestination destination(Folder(), {}, engine::ExtractDestination::Layout::Flat);
  engine::ExtractionRun run(platform::SourceOf(source_.Archive->Index), destination, progress,
                            [&stop] { return stop.Requested(); });
  // A destination folder that vanished after it was chosen ends the run here.
  if (!run.OpenDestination()) {
    Completed(progress, run.Report());
    return;
  }
  // Letter case does not count, as in the scan's own folder search.
  const std::shared_ptr<engine::ColSubTree> folder =
      mode_ == ExtractionMode::Neither ? nullptr : source_.Archive->ColTrees().Find(folderKey_->text());
  if (!folder)
    nothingToExtract(progress);
  else if (mode_ == ExtractionMode::Folder)
    extractFolder(*folder, run, progress);
  else
    extractFiles(*folder, run, progress);
}

void frmExtract::extractFolder(const engine::ColSubTree& folder, engine::ExtractionRun& run, RunProgress& progress) {
  progress.SetBar(static_cast<float>(folder.Count() + 1), 1);
  progress.ShowStep(QStringLiteral("Extracting..."));
  run.Extract(entriesOf(folder), engine::ExtractionRun::OnStop::RemoveNewFiles);
  if (!Completed(progress, run.Report())) return;
  EndRun(progress);
  const engine::RunReport& report = run.Report();
  TellCompletion(QString::number(CountToTell(folder.Count(), report)) + " files extracted to " + DestRoot(), report);
}

// An entry is extracted once when its name is among List1's, whatever the
// number of items that match it. A stop keeps what was extracted: those files
// are complete and were asked for.
void frmExtract::extractFiles(const engine::ColSubTree& folder, engine::ExtractionRun& run, RunProgress& progress) {
  progress.SetBar(static_cast<float>(names_->count() + 1), 1);
  QSet<QString> names;
  for (int i = 0; i < names_->count(); ++i) names.insert(names_->item(i)->text());
  run.Extract(entriesNamed(folder, names), engine::ExtractionRun::OnStop::KeepFiles);
  if (!Completed(progress, run.Report())) return;
  const engine::RunReport& report = run.Report();
  TellCompletion(QString::number(CountToTell(names_->count(), report)) + " files were succesfully extracted to " +
                     DestRoot(),
                 report);
  EndRun(progress);
}

void frmExtract::nothingToExtract(RunProgress& progress) {
  platform::Dialogs().message(QStringLiteral("There are no files in that folder!"), QStringLiteral("Danger Danger!"),
                              MsgIcon::Exclamation, MsgButtons::Ok);
  EndRun(progress);
}

}  // namespace tallyhold
