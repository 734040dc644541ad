// skarrow2-dat delete ARCHIVE PATTERN... [--dry-run]
#include <algorithm>
#include <numeric>
#include <optional>

#include "engine/archive/CommonFunctions.h"
#include "engine/archive/FoldedKeys.h"
#include "engine/archive/NamePatterns.h"
#include "tools/Commands.h"
#include "tools/PatchRun.h"
#include "tools/ToolCommand.h"

namespace tools {
namespace {

// The patterns without wildcards (a thousand names given), by their names
// without letter case, so that each entry is looked up, as its name and as
// each of its folders, instead of tried with every pattern. What is found
// is still confirmed by the pattern.
class LiteralPatterns {
 public:
  explicit LiteralPatterns(const QStringList& patterns) : keys_(patterns.size()), wildcards_(patterns.size()) {
    for (qsizetype p = 0; p < patterns.size(); ++p) {
      const QString& pattern = patterns[p];
      wildcards_[p] = std::any_of(pattern.begin(), pattern.end(),
                                  [](QChar c) { return c == '*' || c == '?' || c == '['; });
      if (!wildcards_[p]) keyOf(pattern, keys_[p]);
    }
    for (qsizetype p = 0; p < patterns.size(); ++p) {
      if (!keys_[p]) continue;
      byKey_[*keys_[p]].push_back(static_cast<int>(p));
      lengths_.Add(keys_[p]->size());
    }
  }

  // Whether pattern p has wildcards: every entry is tried with it.
  bool HasWildcards(qsizetype p) const { return wildcards_[p]; }

  // Each pattern without wildcards that is the name or one of its folders.
  // The names of a folder come one after another, and its folders are
  // looked up once.
  template <typename Found>
  void ForEachCandidate(QByteArrayView name, Found found) {
    qsizetype cut = name.size();
    while (cut > 0 && name[cut - 1] != '\\' && name[cut - 1] != '/') --cut;
    if (!folders_ || name.first(cut) != *folders_) {
      folders_ = name.first(cut).toByteArray();
      inFolders_.clear();
      const QByteArrayView key = folded(*folders_);
      for (qsizetype end = key.indexOf('\\'); end >= 0; end = key.indexOf('\\', end + 1))
        lookUp(key.first(end), [this](int p) { inFolders_.push_back(p); });
    }
    for (const int p : inFolders_) found(p);
    if (lengths_.MayHold(name.size())) lookUp(folded(name), found);
  }

 private:
  // Without letter case and with "\" between folders.
  QByteArrayView folded(QByteArrayView name) {
    const QByteArrayView key = folding_.Fold(name);
    if (!key.contains('/')) return key;
    slashed_ = key.toByteArray().replace('/', '\\');
    return slashed_;
  }

  template <typename Found>
  void lookUp(QByteArrayView key, Found found) const {
    if (!lengths_.MayHold(key.size())) return;
    const auto patterns = byKey_.find(key);
    if (patterns == byKey_.end()) return;
    for (const int p : patterns->second) found(p);
  }

  // The name a pattern stands for, without letter case, "\" between its
  // folders and none at its end; none when Latin-1 cannot hold it.
  static void keyOf(const QString& pattern, std::optional<QByteArray>& key) {
    QByteArray bytes;
    for (const int byte : engine::ArchiveBytes(pattern)) {
      if (byte < 0) return;
      bytes += static_cast<char>(byte == '/' ? '\\' : byte);
    }
    while (bytes.endsWith('\\')) bytes.chop(1);
    key = engine::FoldedBytes(bytes);
  }

  std::vector<std::optional<QByteArray>> keys_;  // what byKey_ views
  std::vector<bool> wildcards_;
  engine::KeyMap<std::vector<int>> byKey_;
  engine::KeyLengths lengths_;
  engine::FoldingBuffer folding_;
  QByteArray slashed_;
  std::optional<QByteArray> folders_;  // of the name looked up last, as it is
  std::vector<int> inFolders_;         // the patterns that are one of them
};

// Marks the entries the pattern matches among those given; whether one is.
bool markMatching(const QString& pattern, const std::vector<engine::OldEntry>& old,
                  const std::vector<int>& entries, std::vector<bool>& deleted) {
  const engine::NamePatterns glob({pattern});
  bool matched = false;
  for (const int i : entries) {
    if (!glob.Matches(old[i].name)) continue;
    deleted[i] = true;
    matched = true;
  }
  return matched;
}

// Marks the entries the patterns match; false when one matches none, which
// is told, in the order the patterns were given. Each pattern is built once
// and only for the entries it may match.
bool mark(const QStringList& patterns, const std::vector<engine::OldEntry>& old, std::vector<bool>& deleted) {
  LiteralPatterns literal(patterns);
  std::vector<std::vector<int>> candidates(patterns.size());
  for (std::size_t i = 0; i < old.size(); ++i)
    literal.ForEachCandidate(old[i].name, [&](int p) { candidates[p].push_back(static_cast<int>(i)); });
  std::vector<int> everyEntry(old.size());
  std::iota(everyEntry.begin(), everyEntry.end(), 0);
  bool allMatched = true;
  for (qsizetype p = 0; p < patterns.size(); ++p) {
    const std::vector<int>& tried = literal.HasWildcards(p) ? everyEntry : candidates[p];
    if (tried.empty() || !markMatching(patterns[p], old, tried, deleted)) {
      Complain(patterns[p] + ": no entry matches");
      allMatched = false;
    }
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
  return WithOldEntries(line.Positional()[0], [&](const ToolArchive& archive,
                                                  const std::vector<engine::OldEntry>& old) {
    std::vector<bool> deleted(old.size());
    if (!mark(patterns, old, deleted)) return static_cast<int>(SomeFailed);
    const engine::PatchPlan plan = engine::PlanDelete(old, archive.Source()->Length(), deleted);
    return ApplyPatch(archive, old, plan, {}, dryRun, line.Quiet());
  });
}

}  // namespace tools
