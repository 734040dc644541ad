#include "engine/extract/IntegrityTest.h"

#include "engine/archive/ClsTreeDir.h"

namespace engine {
namespace {

// Keeps the findings and passes everything on.
class Findings : public RunObserver {
 public:
  Findings(RunObserver& next, IntegrityReport& report) : next_(next), report_(report) {}

  void EntryStarting(const ClsTreeDir& entry) override { next_.EntryStarting(entry); }
  void EntryStatus(const QString& text) override { next_.EntryStatus(text); }
  void Working() override { next_.Working(); }
  void EntryDone(const ClsTreeDir& entry, const ExtractResult& result) override {
    if (result.outcome == ExtractOutcome::Skipped) report_.damaged.push_back({entry.Filename, result.reason});
    if (result.outcome == ExtractOutcome::Extracted && result.trailing > 0)
      report_.notes.push_back({entry.Filename, TrailingNote(result.trailing)});
    next_.EntryDone(entry, result);
  }
  void Stopping() override { next_.Stopping(); }

 private:
  RunObserver& next_;
  IntegrityReport& report_;
};

}  // namespace

IntegrityReport TestIntegrity(std::shared_ptr<const platform::ArchiveSource> archive,
                              const std::vector<const ClsTreeDir*>& entries, RunObserver& observer,
                              std::function<bool()> stop, int workers) {
  IntegrityReport report;
  report.entries = static_cast<qsizetype>(entries.size());
  Findings findings(observer, report);
  ExtractionRun run(std::move(archive), findings, std::move(stop), workers);
  run.StopWithinEntries();
  run.Extract(entries, ExtractionRun::OnStop::KeepFiles);
  report.intact = run.Report().extracted;
  report.stopped = run.Report().end == RunEnd::Stopped;
  return report;
}

QString TrailingNote(qint64 bytes) {
  return QStringLiteral("%1 %2 after the end of its zlib stream")
      .arg(QString::number(bytes), bytes == 1 ? QStringLiteral("byte") : QStringLiteral("bytes"));
}

}  // namespace engine
