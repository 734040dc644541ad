// skarrow2-dat delete ARCHIVE PATTERN... [--dry-run]
#include "engine/archive/NamePatterns.h"
#include "tools/Commands.h"
#include "tools/PatchRun.h"
#include "tools/ToolCommand.h"

namespace tools {
namespace {

// Marks the entries each pattern matches; false when one matches none.
bool mark(const QStringList& patterns, const std::vector<engine::OldEntry>& old, std::vector<bool>& deleted) {
  bool allMatched = true;
  for (const QString& pattern : patterns) {
    const engine::NamePatterns one({pattern});
    bool matched = false;
    for (std::size_t i = 0; i < old.size(); ++i) {
      if (!one.Matches(old[i].name)) continue;
      deleted[i] = true;
      matched = true;
    }
    if (!matched) Complain(pattern + ": no entry matches");
    allMatched = allMatched && matched;
  }
  return allMatched;
}

}  // namespace

int RunDelete(const QStringList& arguments) {
  CommandLine line(QStringLiteral("delete"),
                   QStringLiteral("Removes the entries that match the patterns. A pattern that matches no entry "
                                  "is told and nothing is written (exit status 1). The bodies of the other "
                                  "entries are copied as they are. The new archive is written under a hidden "
                                  "name and replaces the old one only when complete."));
  line.AddArchive();
  line.AddPositional(QStringLiteral("PATTERN"),
                     QStringLiteral("The entries to remove: globs without letter case; \\ or / between folders, "
                                    "* also across them; a folder takes everything in it."),
                     QStringLiteral("PATTERN..."));
  line.AddOption({"dry-run", QStringLiteral("Only print what would change (delete NAME); write nothing.")});
  if (const std::optional<int> end = line.Parse(arguments, 2, -1)) return *end;
  const QStringList patterns = line.Positional().mid(1);
  const bool dryRun = line.IsSet("dry-run");
  return WithArchive(line.Positional()[0], [&](const ToolArchive& archive) {
    const std::vector<engine::OldEntry> old = OldEntries(archive);
    std::vector<bool> deleted(old.size());
    if (!mark(patterns, old, deleted)) return static_cast<int>(SomeFailed);
    const engine::PatchPlan plan = engine::PlanDelete(old, archive.Source()->Length(), deleted);
    return ApplyPatch(archive, old, plan, {}, dryRun, line.Quiet());
  });
}

}  // namespace tools
