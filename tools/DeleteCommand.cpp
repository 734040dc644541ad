// skarrow2-dat delete ARCHIVE PATTERN... [--dry-run]
#include <algorithm>
#include <optional>

#include "engine/archive/CommonFunctions.h"
#include "engine/archive/NamePatterns.h"
#include "tools/Commands.h"
#include "tools/PatchRun.h"
#include "tools/ToolCommand.h"

namespace tools {
namespace {

QByteArray keyOf(QByteArrayView name) { return engine::FoldedBytes(name).replace('/', '\\'); }

// The entries' names without letter case, sorted, so that a pattern
// without wildcards (a thousand names given) is looked up, as the name and
// as the names below it as a folder, instead of tried on every entry. What
// it finds is still confirmed by the pattern.
class NameIndex {
 public:
  explicit NameIndex(const std::vector<engine::OldEntry>& old) : keys_(old.size()), sorted_(old.size()) {
    for (std::size_t i = 0; i < old.size(); ++i) {
      keys_[i] = keyOf(old[i].name);
      sorted_[i] = static_cast<int>(i);
    }
    std::sort(sorted_.begin(), sorted_.end(), [this](int a, int b) { return keys_[a] < keys_[b]; });
  }

  // The entries a pattern without wildcards may match; nothing for one with.
  std::optional<std::vector<int>> Candidates(const QString& pattern) const {
    if (std::any_of(pattern.begin(), pattern.end(), [](QChar c) { return c == '*' || c == '?' || c == '['; }))
      return std::nullopt;
    QByteArray bytes;
    for (const int byte : engine::ArchiveBytes(pattern)) {
      if (byte < 0) return std::vector<int>{};
      bytes += static_cast<char>(byte);
    }
    QByteArray key = keyOf(bytes);
    while (key.endsWith('\\')) key.chop(1);
    std::vector<int> found;
    const auto below = [this](int entry, const QByteArray& value) { return keys_[entry] < value; };
    for (auto at = std::lower_bound(sorted_.begin(), sorted_.end(), key, below);
         at != sorted_.end() && keys_[*at] == key; ++at)
      found.push_back(*at);
    const QByteArray folder = key + '\\';
    for (auto at = std::lower_bound(sorted_.begin(), sorted_.end(), folder, below);
         at != sorted_.end() && keys_[*at].startsWith(folder); ++at)
      found.push_back(*at);
    return found;
  }

 private:
  std::vector<QByteArray> keys_;
  std::vector<int> sorted_;  // entries in the order of their keys
};

// Marks the entries each pattern matches; false when one matches none.
bool mark(const QStringList& patterns, const std::vector<engine::OldEntry>& old, std::vector<bool>& deleted) {
  const NameIndex index(old);
  std::vector<int> everyEntry(old.size());
  for (int i = 0; i < static_cast<int>(old.size()); ++i) everyEntry[i] = i;
  bool allMatched = true;
  for (const QString& pattern : patterns) {
    const engine::NamePatterns one({pattern});
    const std::optional<std::vector<int>> candidates = index.Candidates(pattern);
    bool matched = false;
    for (const int i : candidates ? *candidates : everyEntry) {
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
                   QStringLiteral("Removes the entries that match the patterns. A pattern "
                                  "that matches no entry "
                                  "is told and nothing is written (exit status 1). The "
                                  "bodies of the other "
                                  "entries are copied as they are. The new archive is "
                                  "written under a hidden "
                                  "name and replaces the old one only when complete; with - as "
                                  "ARCHIVE it is read from standard input and written to standard "
                                  "output."));
  line.AddArchive();
  line.AddPositional(QStringLiteral("PATTERN"),
                     QStringLiteral("The entries to remove: globs without letter case; \\ or "
                                    "/ between folders, "
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
