// skarrow2-dat test ARCHIVE [-j N] [--json]
#include <QJsonDocument>
#include <QJsonObject>
#include <optional>

#include "engine/archive/ClsTreeDir.h"
#include "engine/extract/ExtractionPlan.h"
#include "engine/extract/IntegrityTest.h"
#include "tools/Commands.h"
#include "tools/JsonOutput.h"
#include "tools/RunReporter.h"
#include "tools/StandardOutput.h"
#include "tools/StopSignal.h"
#include "tools/ToolArchive.h"
#include "tools/ToolCommand.h"

namespace tools {
namespace {

// {"format": 1, "archive": ..., "damaged": [{"name": ..., "reason": ...}, ...], "total": N,
//  "intact": N, "notes": [{"name": ..., "note": ...}, ...], "stopped": false}
// with the damaged entries written as they are found, the notes at the end.
class JsonReport {
 public:
  explicit JsonReport(const QString& archive) { Output(JsonHead(archive) + ",\n \"damaged\": ["); }
  void Damaged(const engine::ClsTreeDir& entry, const QString& reason) {
    Output(count_++ == 0 ? "\n  " : ",\n  ");
    Output(compact(entry.Filename, "reason", reason));
  }
  void End(const engine::IntegrityReport& report) {
    QByteArray notes;
    for (const engine::IntegrityFinding& note : report.notes)
      notes += (notes.isEmpty() ? "\n  " : ",\n  ") + compact(note.name, "note", note.text);
    Output("],\n \"total\": " + QByteArray::number(report.entries) +
           ", \"intact\": " + QByteArray::number(report.intact) + ", \"notes\": [" + notes +
           "], \"stopped\": " + (report.stopped ? "true" : "false") + "}\n");
  }

 private:
  static QByteArray compact(const QByteArray& name, const char* key, const QString& text) {
    const QJsonObject object{{"name", QString::fromLatin1(name)}, {key, text}};
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
  }
  int count_ = 0;
};

void summarize(const ToolArchive& archive, const engine::IntegrityReport& report) {
  const auto damaged = static_cast<qsizetype>(report.damaged.size());
  if (damaged == 0)
    return Print(archive.Path() + (report.entries == 1
                                       ? QStringLiteral(": its 1 entry is intact")
                                       : QStringLiteral(": all %1 entries are intact").arg(report.entries)));
  Print(QStringLiteral("%1: %2 of %3 %4 damaged")
            .arg(archive.Path(), QString::number(damaged), Counted(report.entries, "entry", "entries"),
                 damaged == 1 ? "is" : "are"));
}

int test(const ToolArchive& archive, int jobs, bool json, bool quiet) {
  const std::vector<const engine::ClsTreeDir*> entries = engine::PlanAll(archive.Folders()).entries;
  std::optional<JsonReport> jsonReport;
  RunReporter reporter(archive.Path(), TotalRealSize(entries), quiet);
  if (json) {
    jsonReport.emplace(archive.Path());
    reporter.onSkipped = [&](const engine::ClsTreeDir& entry, const QString& reason) {
      jsonReport->Damaged(entry, reason);
    };
  } else if (!quiet) {
    reporter.onTrailing = [&](const engine::ClsTreeDir& entry, qint64 bytes) {
      Print(archive.Path() + ": " + QString::fromLatin1(entry.Filename) +
            ": note: " + engine::TrailingNote(bytes));
    };
  }
  const StopSignal stop;
  const engine::IntegrityReport report = engine::TestIntegrity(archive.Source(), entries, reporter,
                                                               StopSignal::Requested, jobs);
  reporter.Clear();
  if (jsonReport) jsonReport->End(report);
  if (report.stopped)
    Complain(archive.Path() + ": stopped after " + Counted(report.Checked(), "entry", "entries"));
  else if (!json && !quiet)
    summarize(archive, report);
  return report.damaged.empty() && !report.stopped ? Success : SomeFailed;
}

}  // namespace

int RunTest(const QStringList& arguments) {
  CommandLine line(QStringLiteral("test"),
                   QStringLiteral("Checks every entry of an archive as extract would, writing nothing: its name, "
                                  "its body inside the file, its sizes, and that a compressed body inflates "
                                  "completely, with the right checksum, to exactly its RealSize. Each damaged "
                                  "entry is told with its reason; the exit status is 1 when any is damaged. "
                                  "Bytes after the end of a compressed body's stream are allowed, as zlib "
                                  "allows them, and told as a note."));
  line.AddArchive();
  line.AddJobs();
  line.AddOption(
      {"json", QStringLiteral("The result as a JSON object on standard output (the keys are in the man page).")});
  if (const std::optional<int> end = line.Parse(arguments, 1, 1)) return *end;
  return WithArchive(
      line.Positional()[0],
      [&](const ToolArchive& archive) { return test(archive, line.Jobs(), line.IsSet("json"), line.Quiet()); },
      line.IsSet("json"));
}

}  // namespace tools
