// skarrow2-dat extract ARCHIVE [PATTERN...] [-C DIR] [--exclude GLOB]... [--flat] [-k] [-v] [-j N]
#include <sys/stat.h>

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

struct Options {
  QStringList patterns;
  engine::NamePatterns excluded{QStringList{}};
  bool excluding = false;
  QString folder;
  bool given = false;  // -C DIR, which is made when missing
  engine::ExtractDestination::Layout layout = engine::ExtractDestination::Layout::Tree;
  bool verbose = false;
  bool keep = false;
  bool quiet = false;
  int jobs = 1;
};

// Its parent must be there: a mistyped path makes no tree of folders. A
// failure is told when the run opens it.
void makeFolder(const QString& folder) { ::mkdir(platform::PathBytes(folder).constData(), 0777); }

// What the run takes; nothing when a pattern matched no entry at all.
engine::ExtractionPlan planFor(const ToolArchive& archive, const Options& options, bool& allMatched) {
  const engine::NamePatterns patterns(options.patterns);
  engine::ExtractionPlan plan = engine::PlanMatching(archive.Folders(), patterns,
                                                     options.excluding ? &options.excluded : nullptr);
  PatternTally tally(options.patterns);
  for (const engine::ClsTreeDir* entry : plan.entries) tally.Matches(entry->Filename);
  allMatched = tally.TellUnmatched();
  if (options.layout == engine::ExtractDestination::Layout::Flat) plan.folders.clear();
  return plan;
}

int extract(const ToolArchive& archive, const Options& options) {
  bool allMatched = true;
  // Every folder is made before any file, so that what the files do cannot
  // change which folders are made.
  const engine::ExtractionPlan plan = planFor(archive, options, allMatched);
  if (plan.entries.empty() && !options.patterns.isEmpty()) return SomeFailed;
  RunReporter reporter(archive.Path(), TotalRealSize(plan.entries), options.quiet);
  if (options.verbose) reporter.onWritten = [](const QString& file) { Print(file); };
  engine::ExtractDestination destination(options.folder, {}, options.layout);
  if (options.keep) destination.KeepExistingFiles();
  const StopSignal stop;
  engine::ExtractionRun run(archive.Source(), destination, reporter, StopSignal::Requested, options.jobs);
  run.StopWithinEntries();
  if (options.given) makeFolder(options.folder);
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
  if (!options.quiet && report.end == engine::RunEnd::Completed)
    Print(QStringLiteral("%1: %2 extracted to %3%4%5")
              .arg(archive.Path(), Counted(report.extracted, "entry", "entries"), destination.RootPath(),
                   report.kept ? QStringLiteral(", %1 kept").arg(report.kept) : QString(),
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
  line.AddOption(
      {{"C", "directory"},
       QStringLiteral("Extract under DIR, made when missing (its parent must exist; default: the current "
                      "folder)."),
       QStringLiteral("DIR")});
  line.AddOption({"exclude", QStringLiteral("Leave out the entries that match GLOB (may be repeated)."),
                  QStringLiteral("GLOB")});
  line.AddOption({"flat", QStringLiteral("Write every entry directly under DIR, without its folders.")});
  line.AddOption({{"k", "keep-old-files"},
                  QStringLiteral("Keep a file that stands under an entry's name already: the entry is not "
                                 "written, and this is told (the status stays 0).")});
  line.AddOption({{"v", "verbose"}, QStringLiteral("Print the path of each file as it is written.")});
  line.AddJobs();
  if (const std::optional<int> end = line.Parse(arguments, 1, -1)) return *end;
  Options options;
  options.patterns = line.Positional().mid(1);
  options.excluded = engine::NamePatterns(line.Values("exclude"));
  options.excluding = line.IsSet("exclude");
  options.folder = line.IsSet("directory") ? line.Value("directory") : currentFolder();
  options.given = line.IsSet("directory");
  if (line.IsSet("flat")) options.layout = engine::ExtractDestination::Layout::Flat;
  options.verbose = line.IsSet("verbose");
  options.keep = line.IsSet("keep-old-files");
  options.quiet = line.Quiet();
  options.jobs = line.Jobs();
  return WithArchive(line.Positional()[0], [&](const ToolArchive& archive) { return extract(archive, options); });
}

}  // namespace tools
