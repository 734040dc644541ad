// skarrow2-dat extract ARCHIVE [PATTERN...] [-C DIR] [-j N]
#include <filesystem>

#include "common/platform/PathBytes.h"

#include "engine/archive/NamePatterns.h"
#include "engine/extract/ExtractionPlan.h"
#include "engine/extract/ExtractionRun.h"
#include "tools/Commands.h"
#include "tools/PatternTally.h"
#include "tools/RunReporter.h"
#include "tools/StopSignal.h"
#include "tools/ToolArchive.h"
#include "tools/ToolCommand.h"

namespace tools {
namespace {

// As the bytes it is: QDir::currentPath() loses those that are not UTF-8.
QString currentFolder() {
  std::error_code error;
  const std::filesystem::path folder = std::filesystem::current_path(error);
  return error ? QStringLiteral(".") : platform::DecodedPath(folder.native());
}

int extract(const ToolArchive& archive, const QStringList& given, const QString& folder, int jobs, bool quiet) {
  const engine::NamePatterns patterns(given);
  // Every folder is made before any file, so that what the files do cannot
  // change which folders are made.
  const engine::ExtractionPlan plan = engine::PlanMatching(archive.Folders(), patterns);
  PatternTally tally(given);
  for (const engine::ClsTreeDir* entry : plan.entries) tally.Matches(entry->Filename);
  const bool allMatched = tally.TellUnmatched();
  if (plan.entries.empty() && !patterns.IsEmpty()) return SomeFailed;
  RunReporter reporter(archive.Path(), TotalRealSize(plan.entries), quiet);
  engine::ExtractDestination destination(folder, {}, engine::ExtractDestination::Layout::Tree);
  const StopSignal stop;
  engine::ExtractionRun run(archive.Source(), destination, reporter, StopSignal::Requested, jobs);
  run.StopWithinEntries();
  if (run.OpenDestination() && run.MakeFolders(plan.folders))
    run.Extract(plan.entries, engine::ExtractionRun::OnStop::KeepFiles);
  reporter.Clear();
  const engine::RunReport& report = run.Report();
  const int skipped = report.skipped.Count();
  if (report.end == engine::RunEnd::Failed)
    Complain(archive.Path() + ": could not write " + report.failure.file + ": " + report.failure.reason +
             "; the extraction has been stopped");
  if (report.end == engine::RunEnd::Stopped)
    Complain(archive.Path() + ": stopped after " + Counted(report.extracted + skipped, "entry", "entries"));
  if (!quiet && report.end == engine::RunEnd::Completed)
    Print(QStringLiteral("%1: %2 extracted to %3%4")
              .arg(archive.Path(), Counted(report.extracted, "entry", "entries"), destination.RootPath(),
                   skipped ? QStringLiteral(", %1 skipped").arg(skipped) : QString()));
  return allMatched && skipped == 0 && report.end == engine::RunEnd::Completed ? Success : SomeFailed;
}

}  // namespace

int RunExtract(const QStringList& arguments) {
  CommandLine line(QStringLiteral("extract"),
                   QStringLiteral("Extracts the entries of an archive that match the patterns (all without a "
                                  "pattern) into their folders under DIR. Folders differing only in letter case "
                                  "are one, named as the archive first spells them; entries with unsafe names or "
                                  "damaged data are skipped and told; a destination that cannot be written stops "
                                  "the run. Files appear only complete, never through a symbolic link, and the "
                                  "result is the same for every number of threads."));
  line.AddArchive();
  line.AddPatterns();
  line.AddOption({{"C", "directory"},
                  QStringLiteral("Extract under DIR (default: the current folder)."),
                  QStringLiteral("DIR")});
  line.AddJobs();
  if (const std::optional<int> end = line.Parse(arguments, 1, -1)) return *end;
  const QString folder = line.IsSet("directory") ? line.Value("directory") : currentFolder();
  return WithArchive(line.Positional()[0], [&](const ToolArchive& archive) {
    return extract(archive, line.Positional().mid(1), folder, line.Jobs(), line.Quiet());
  });
}

}  // namespace tools
