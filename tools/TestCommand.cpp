// skarrow2-dat test ARCHIVE [-j N] [--json]
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <optional>

#include "engine/archive/ClsTreeDir.h"
#include "engine/extract/ExtractionPlan.h"
#include "engine/extract/ExtractionRun.h"
#include "tools/Commands.h"
#include "tools/RunReporter.h"
#include "tools/StandardOutput.h"
#include "tools/StopSignal.h"
#include "tools/ToolArchive.h"
#include "tools/ToolCommand.h"

namespace tools {
namespace {

// {"archive": ..., "damaged": [{"name": ..., "reason": ...}, ...], "entries": N, "intact": N,
//  "notes": [{"name": ..., "note": ...}, ...], "stopped": false}
// with the damaged entries written as they are found, the notes at the end.
class JsonReport {
 public:
  explicit JsonReport(const QString& archive) {
    Output("{\"archive\": " + quoted(archive) + ",\n \"damaged\": [");
  }
  void Damaged(const engine::ClsTreeDir& entry, const QString& reason) {
    Output(count_++ == 0 ? "\n  " : ",\n  ");
    Output(compact(entry, "reason", reason));
  }
  // Only the text is kept until the end.
  void Note(const engine::ClsTreeDir& entry, const QString& note) {
    notes_ += (notes_.isEmpty() ? "\n  " : ",\n  ") + compact(entry, "note", note);
  }
  void End(const engine::RunReport& report, qsizetype entries) {
    const bool stopped = report.end == engine::RunEnd::Stopped;
    Output("],\n \"entries\": " + QByteArray::number(entries) + ", \"intact\": " +
           QByteArray::number(report.extracted) + ", \"notes\": [" + notes_ + "], \"stopped\": " +
           (stopped ? "true" : "false") + "}\n");
  }

 private:
  static QByteArray quoted(const QString& text) {
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
  }
  static QByteArray compact(const engine::ClsTreeDir& entry, const char* key, const QString& text) {
    const QJsonObject object{{"name", QString::fromLatin1(entry.Filename)}, {key, text}};
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
  }
  int count_ = 0;
  QByteArray notes_;
};

// Allowed, as zlib allows it, but perhaps not what the archive's maker meant.
QString trailingNote(qint64 bytes) {
  return QStringLiteral("%1 %2 after the end of its zlib stream")
      .arg(QString::number(bytes), bytes == 1 ? QStringLiteral("byte") : QStringLiteral("bytes"));
}

void summarize(const ToolArchive& archive, const engine::RunReport& result, qsizetype entries) {
  const int damaged = result.skipped.Count();
  if (damaged == 0)
    return Print(QStringLiteral("%1: all %2 entries are intact").arg(archive.Path(), QString::number(entries)));
  Print(QStringLiteral("%1: %2 of %3 entries are damaged")
            .arg(archive.Path(), QString::number(damaged), QString::number(entries)));
}

int test(const ToolArchive& archive, int jobs, bool json, bool quiet) {
  const std::vector<const engine::ClsTreeDir*> entries = engine::PlanAll(archive.Folders()).entries;
  std::optional<JsonReport> report;
  RunReporter reporter(archive.Path(), TotalRealSize(entries), quiet);
  if (json) {
    report.emplace(archive.Path());
    reporter.onSkipped = [&](const engine::ClsTreeDir& entry, const QString& reason) {
      report->Damaged(entry, reason);
    };
    reporter.onTrailing = [&](const engine::ClsTreeDir& entry, qint64 bytes) {
      report->Note(entry, trailingNote(bytes));
    };
  } else if (!quiet) {
    reporter.onTrailing = [&](const engine::ClsTreeDir& entry, qint64 bytes) {
      Print(archive.Path() + ": " + QString::fromLatin1(entry.Filename) + ": note: " + trailingNote(bytes));
    };
  }
  const StopSignal stop;
  engine::ExtractionRun run(archive.Source(), reporter, StopSignal::Requested, jobs);
  run.StopWithinEntries();
  run.Extract(entries, engine::ExtractionRun::OnStop::KeepFiles);
  reporter.Clear();
  const engine::RunReport& result = run.Report();
  if (report) report->End(result, static_cast<qsizetype>(entries.size()));
  const int checked = result.extracted + result.skipped.Count();
  if (result.end == engine::RunEnd::Stopped)
    Complain(archive.Path() + QStringLiteral(": stopped after %1 entries").arg(checked));
  else if (!json && !quiet)
    summarize(archive, result, static_cast<qsizetype>(entries.size()));
  return result.skipped.Count() == 0 && result.end == engine::RunEnd::Completed ? Success : SomeFailed;
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
  line.AddOption({"json", QStringLiteral("The result as a JSON object on standard output.")});
  if (const std::optional<int> end = line.Parse(arguments, 1, 1)) return *end;
  return WithArchive(line.Positional()[0], [&](const ToolArchive& archive) {
    return test(archive, line.Jobs(), line.IsSet("json"), line.Quiet());
  });
}

}  // namespace tools
