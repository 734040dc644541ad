#include "engine/extract/ExtractionPlan.h"

#include <QSet>

#include "engine/archive/CommonFunctions.h"
#include "engine/archive/NamePatterns.h"
#include "engine/extract/OutputPaths.h"

namespace engine {
namespace {

// Folder paths, each once without regard to letter case.
class FolderList {
 public:
  explicit FolderList(QList<QByteArray>& folders) : folders_(folders) {}
  void Add(QByteArrayView path) {
    const QString key = FoldedName(path);
    if (seen_.contains(key)) return;
    seen_.insert(key);
    folders_ << path.toByteArray();
  }

 private:
  QList<QByteArray>& folders_;
  QSet<QString> seen_;
};

// The levels the tree pane shows for the entry, as the scan finds them.
void addTreeFolders(QByteArrayView name, FolderList& folders) {
  uint8_t start = 0;
  for (uint8_t level = 1; level <= 3; ++level) {
    const std::optional<QByteArrayView> piece = PathLevelView(name, level, start);
    if (!piece) return;
    start = static_cast<uint8_t>(start + piece->size());
    // The level-1 piece ends with its "\", the deeper ones without it.
    const qsizetype end = (piece->data() - name.data()) + piece->size() - (level == 1 ? 1 : 0);
    folders.Add(name.first(end));
  }
}

std::shared_ptr<ColSubTree> folderWithKey(const ColTrees& trees, const QByteArray& key) {
  return trees.Find(QString::fromLatin1(key));
}

enum class Likeness { None, Caseless, Exact };

// folded: the name's FoldedName.
Likeness likenessOf(const ClsTreeDir& entry, const QByteArray& name, const QString& folded) {
  if (entry.Filename == name) return Likeness::Exact;
  const bool caseless = entry.Filename.size() == name.size() && FoldedName(entry.Filename) == folded;
  return caseless ? Likeness::Caseless : Likeness::None;
}

}  // namespace

ExtractionPlan PlanAll(const ColTrees& trees) {
  ExtractionPlan plan;
  FolderList folders(plan.folders);
  for (const auto& folder : trees)
    for (const auto& entry : *folder) {
      plan.entries.push_back(entry.get());
      addTreeFolders(entry->Filename, folders);
    }
  return plan;
}

std::optional<ExtractionPlan> PlanFolder(const ColTrees& trees, const QByteArray& folderKey) {
  const std::shared_ptr<ColSubTree> folder = folderWithKey(trees, folderKey);
  if (!folder) return std::nullopt;
  ExtractionPlan plan;
  for (const auto& entry : *folder) plan.entries.push_back(entry.get());
  return plan;
}

std::optional<ExtractionPlan> PlanNamed(const ColTrees& trees, const QByteArray& folderKey,
                                        const QStringList& names) {
  const std::shared_ptr<ColSubTree> folder = folderWithKey(trees, folderKey);
  if (!folder) return std::nullopt;
  const QSet<QString> wanted(names.begin(), names.end());
  ExtractionPlan plan;
  for (const auto& entry : *folder)
    if (wanted.contains(QString::fromLatin1(GetFileName(entry->Filename)))) plan.entries.push_back(entry.get());
  return plan;
}

ExtractionPlan PlanMatching(const ColTrees& trees, const NamePatterns& patterns, const NamePatterns* excluded) {
  ExtractionPlan plan;
  FolderList folders(plan.folders);
  for (const auto& folder : trees)
    for (const auto& entry : *folder) {
      if (!patterns.Matches(entry->Filename) || (excluded && excluded->Matches(entry->Filename))) continue;
      plan.entries.push_back(entry.get());
      const QByteArrayView path = FolderPathView(entry->Filename);
      if (path != "\\" && UnsafeNameReason(entry->Filename).isEmpty()) folders.Add(path.chopped(1));
    }
  return plan;
}

EntryByName::EntryByName(const QByteArray& name) : name_(name), folded_(FoldedName(name)) {}

void EntryByName::Consider(const ClsTreeDir& entry) {
  const Likeness likeness = likenessOf(entry, name_, folded_);
  if (likeness == Likeness::Exact) exact_ = entry;
  if (likeness != Likeness::None) caseless_ = entry;
}

// Every name that differs from it in letter case only lies in the same folder.
const ClsTreeDir* FindEntry(const ColTrees& trees, const QByteArray& name) {
  const std::shared_ptr<ColSubTree> folder = folderWithKey(trees, GetFolderPath(name));
  if (!folder) return nullptr;
  const QString folded = FoldedName(name);
  const ClsTreeDir* exact = nullptr;
  const ClsTreeDir* caseless = nullptr;
  for (const auto& entry : *folder) {
    const Likeness likeness = likenessOf(*entry, name, folded);
    if (likeness == Likeness::Exact) exact = entry.get();
    if (likeness != Likeness::None) caseless = entry.get();
  }
  return exact ? exact : caseless;
}

}  // namespace engine
