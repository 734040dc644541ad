#include "tallyhold/windows/EntryDrag.h"

#include <QCoreApplication>
#include <QDir>
#include <QDrag>
#include <QFile>
#include <QPointer>
#include <QSet>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <algorithm>

#include "common/platform/DialogService.h"
#include "common/platform/MousePointer.h"
#include "common/platform/SystemReason.h"
#include "engine/extract/ExtractReport.h"
#include "engine/extract/ExtractionRun.h"
#include "tallyhold/windows/DragFolder.h"

namespace tallyhold {
namespace {

using platform::MsgButtons;
using platform::MsgIcon;

const QString UriList = QStringLiteral("text/uri-list");

// The files a run wrote, in entry order, each once: of two entries of one
// name the later replaced the earlier, as in Extract selected.
class WrittenFiles : public engine::RunObserver {
 public:
  explicit WrittenFiles(QString folder) : folder_(std::move(folder)) {}

  void EntryDone(const engine::ClsTreeDir& /*entry*/, const engine::ExtractResult& result) override {
    if (result.outcome != engine::ExtractOutcome::Extracted) return;
    const QString path = folder_ + QLatin1Char('/') + QFile::decodeName(QByteArray::fromStdString(result.name));
    if (seen_.contains(path)) return;
    seen_.insert(path);
    urls << QUrl::fromLocalFile(path);
  }

  QVariantList urls;

 private:
  QString folder_;
  QSet<QString> seen_;
};

// The words of Extract selected's boxes; the drop's place is the file
// manager's, so the count names no folder.
void tell(const engine::RunReport& report) {
  if (report.end == engine::RunEnd::Failed) {
    platform::Dialogs().message(engine::WriteFailureText(report.failure), engine::WriteFailureTitle,
                                MsgIcon::Exclamation, MsgButtons::Ok);
  } else if (report.skipped.Count() > 0) {
    platform::Dialogs().message(QString::number(report.extracted) + " files were succesfully extracted" +
                                    report.skipped.CompletionAddition(),
                                QStringLiteral("Extraction complete!"), MsgIcon::Exclamation, MsgButtons::Ok);
  }
}

engine::RunReport failedReport(const QString& file, int error) {
  engine::RunReport report;
  report.end = engine::RunEnd::Failed;
  report.failure = engine::ExtractResult::Failure(file, platform::SystemReason(error));
  return report;
}

}  // namespace

EntryMimeData::EntryMimeData(DraggedEntries dragged) : dragged_(std::move(dragged)) {}

QStringList EntryMimeData::formats() const { return {UriList}; }

QVariant EntryMimeData::retrieveData(const QString& mimeType, QMetaType /*type*/) const {
  if (mimeType != UriList) return {};
  if (!extracted_) extract();
  return urls_;
}

void EntryMimeData::extract() const {
  extracted_ = true;
  const platform::BusyPointer busy;
  int error = 0;
  const QString base = dragfolder::Path(error);
  engine::RunReport report;
  if (base.isEmpty()) {
    report = failedReport(QDir::tempPath(), error);
  } else {
    folderName_ = dragfolder::NextName();
    const QString folder = QString::fromStdString(folderName_);
    engine::ExtractDestination destination(base, folder, engine::ExtractDestination::Layout::Flat);
    WrittenFiles written(base + QLatin1Char('/') + folder);
    engine::ExtractionRun run(
        dragged_.archive, destination, written, [] { return false; }, std::max(1, QThread::idealThreadCount()));
    std::vector<const engine::ClsTreeDir*> entries;
    for (const auto& entry : dragged_.entries) entries.push_back(entry.get());
    if (run.OpenDestination()) run.Extract(entries, engine::ExtractionRun::OnStop::KeepFiles);
    report = run.Report();
    urls_ = written.urls;
  }
  // Not inside the window system's request for the data: that waits for its answer.
  QTimer::singleShot(0, qApp, [report] { tell(report); });
}

void EntryMimeData::Discard() const {
  if (!folderName_.empty()) dragfolder::Remove(folderName_);
}

void DragEntries(QWidget& source, DraggedEntries dragged) {
  auto* drag = new QDrag(&source);
  auto* data = new EntryMimeData(std::move(dragged));
  const QPointer<EntryMimeData> held(data);
  drag->setMimeData(data);
  // Qt deletes the drag once the window system is done with it.
  if (drag->exec(Qt::CopyAction) == Qt::IgnoreAction && held) held->Discard();
}

void EntryDragView::SetDragSource(std::function<DraggedEntries()> source) {
  source_ = std::move(source);
  setDragEnabled(true);
  setDragDropMode(QAbstractItemView::DragOnly);
}

void EntryDragView::startDrag(Qt::DropActions /*supportedActions*/) {
  DraggedEntries dragged = source_ ? source_() : DraggedEntries{};
  if (!dragged.entries.empty() && dragged.archive) DragEntries(*this, std::move(dragged));
}

}  // namespace tallyhold
