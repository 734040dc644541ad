#include "tallyhold/extract/frmExtract.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSet>
#include <memory>

#include "common/platform/DialogService.h"
#include "common/widgets/DirListBox.h"
#include "tallyhold/archive/CommonFunctions.h"
#include "tallyhold/archive/Globals.h"
#include "tallyhold/extract/ExtractReport.h"
#include "tallyhold/extract/FileDecompressor.h"
#include "tallyhold/extract/OutputPaths.h"
#include "tallyhold/extract/RunProgress.h"

namespace tallyhold {
namespace {

using platform::MsgButtons;
using platform::MsgIcon;

void complete(const QString& text) {
  platform::Dialogs().message(text, QStringLiteral("Extraction complete!"), MsgIcon::Information, MsgButtons::Ok);
}

// One entry into the folder itself; the caller decides what a failure ends.
class FlatRun {
 public:
  FlatRun(const ClsDatFile& archive, const QString& destRoot, RunProgress& progress)
      : archive_(archive), destination_(destRoot, ExtractDestination::Layout::Flat), progress_(progress),
        status_(progress.Sink()) {}

  ExtractResult Extract(const ClsTreeDir& entry) {
    progress_.EntryStatus("Extracting " + QString::fromLatin1(entry.Filename));
    ExtractResult result = ExtractEntry(entry, archive_.Index, decompressor_, true, destination_, status_);
    if (result.outcome == ExtractOutcome::Skipped) skipped_.Add(entry.Filename);
    return result;
  }

  const SkippedEntries& Skipped() const { return skipped_; }

 private:
  const ClsDatFile& archive_;
  ExtractDestination destination_;
  RunProgress& progress_;
  StatusSink status_;
  std::unique_ptr<FileDecompressor> decompressor_;
  SkippedEntries skipped_;
};

}  // namespace

frmExtract::frmExtract(const ExtractSource& source)
    : DestinationChooser(source.MainWindow, {5550, 3240}, {180, 2820, 1335, 375}, {2280, 2820, 1095, 375}),
      source_(source) {
  setObjectName(QStringLiteral("frmExtract"));
  setWindowTitle(QStringLiteral("Extract single/multiple files or an entire folder"));
  Label2 = Place(new QLabel(QStringLiteral("ERROR to extract:"), this), "Label2", {3540, 60, 1875, 195});
  DirText = Place(new QLineEdit(QStringLiteral("ERROR"), this), "DirText", {3480, 300, 1995, 285});
  List1 = Place(new QListWidget(this), "List1", {3480, 600, 1995, 2010});
  Command1 = PlaceButton("Extract!", "Command1", {3780, 2820, 1515, 375});
  connect(Command1, &QPushButton::clicked, this, &frmExtract::Command1_Click);
}

void frmExtract::ShowSelection(ExtractionMode mode, const QByteArray& folderKey, const QStringList& names) {
  mode_ = mode;
  List1->clear();
  const bool files = mode == ExtractionMode::Files;
  Label2->setText(files ? QStringLiteral("Files to extract:") : QStringLiteral("Folder to extract:"));
  List1->addItems(files ? names : QStringList{QStringLiteral("*.*")});
  if (!folderKey.isEmpty()) DirText->setText(QString::fromLatin1(folderKey));
}

void frmExtract::Command1_Click() {
  SetRunning(true);
  RunProgress progress("Extracting from " + source_.ArchivePath + "...");
  const QString destRoot = DestRoot();
  if (const widgets::FolderFailure failure = widgets::CheckFolder(destRoot); failure != widgets::FolderFailure::None) {
    const std::error_code error = WhyNotEntered(destRoot, failure);
    FailRun(progress, {ExtractOutcome::WriteFailed, destRoot, QString::fromStdString(error.message())});
    return;
  }
  // Letter case does not count, as in the scan's own folder search.
  const std::shared_ptr<ColSubTree> folder =
      mode_ == ExtractionMode::Neither ? nullptr : source_.Archive->ColTrees().Find(DirText->text());
  if (!folder)
    nothingToExtract(progress);
  else if (mode_ == ExtractionMode::Folder)
    extractFolder(*folder, destRoot, progress);
  else
    extractFiles(*folder, destRoot, progress);
}

void frmExtract::extractFolder(const ColSubTree& folder, const QString& destRoot, RunProgress& progress) {
  progress.SetBar(static_cast<float>(folder.Count() + 1), 1);
  progress.ShowStep(QStringLiteral("Extracting..."));
  StopRequested = false;
  FlatRun run(*source_.Archive, destRoot, progress);
  QStringList written;
  for (const auto& entry : folder) {
    if (StopRequested) {
      StopRun(progress, [&written] {
        for (const QString& file : written) QFile::remove(file);
      });
      return;
    }
    const ExtractResult result = run.Extract(*entry);
    if (result.outcome == ExtractOutcome::WriteFailed) return FailRun(progress, result);
    if (result.outcome == ExtractOutcome::Extracted) written << result.file;
    progress.AddToBar();
    progress.AfterEntry();
  }
  progress.Flush();
  EndRun(progress);
  complete(QString::number(folder.Count()) + " files extracted to " + destRoot + run.Skipped().CompletionAddition());
}

// An entry is extracted once when its name is among List1's, whatever the
// number of items that match it.
void frmExtract::extractFiles(const ColSubTree& folder, const QString& destRoot, RunProgress& progress) {
  progress.SetBar(static_cast<float>(List1->count() + 1), 1);
  StopRequested = false;
  QSet<QString> names;
  for (int i = 0; i < List1->count(); ++i) names.insert(List1->item(i)->text());
  FlatRun run(*source_.Archive, destRoot, progress);
  for (const auto& entry : folder) {
    if (StopRequested) return StopRun(progress);
    if (names.contains(QString::fromLatin1(GetFileName(entry->Filename)))) {
      const ExtractResult result = run.Extract(*entry);
      if (result.outcome == ExtractOutcome::WriteFailed) return FailRun(progress, result);
      progress.AddToBar();
    }
    progress.AfterEntry();
  }
  progress.Flush();
  complete(QString::number(List1->count()) + " files were succesfully extracted to " + destRoot +
           run.Skipped().CompletionAddition());
  EndRun(progress);
}

void frmExtract::nothingToExtract(RunProgress& progress) {
  platform::Dialogs().message(QStringLiteral("There are no files in that folder!"), QStringLiteral("Danger Danger!"),
                              MsgIcon::Exclamation, MsgButtons::Ok);
  EndRun(progress);
}

}  // namespace tallyhold
