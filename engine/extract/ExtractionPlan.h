#pragma once
// What a run extracts, worked out from the model before it starts: the
// entries in the order they are written and the folders made before them.
// Every caller builds its plan here and hands it to ExtractionRun, so that
// what is extracted never depends on what a widget happens to show.
#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QStringList>
#include <optional>
#include <vector>

#include "engine/archive/ClsTreeDir.h"
#include "engine/archive/ColTrees.h"

namespace engine {

class NamePatterns;

// Points into the model, which must outlive it.
struct ExtractionPlan {
  std::vector<const ClsTreeDir*> entries;
  // Folder paths without the trailing "\" ("TEXT", "TEXT\ENGLISH"), each
  // once whatever its letter case, in the spelling the archive uses first.
  QList<QByteArray> folders;
};

// Every entry, folder by folder; the folders are those of the tree pane (the
// first three levels of each entry's folder, up to the first that is longer
// than 8 characters).
ExtractionPlan PlanAll(const ColTrees& trees);

// The entries directly in the folder with that key (its TreePath, "\" for the
// top level, letter case aside); nothing when no folder has it. No folders.
std::optional<ExtractionPlan> PlanFolder(const ColTrees& trees, const QByteArray& folderKey);

// The entries of that folder whose file name (as listed) is among names, each
// once, in folder order; nothing when no folder has the key. No folders.
std::optional<ExtractionPlan> PlanNamed(const ColTrees& trees, const QByteArray& folderKey,
                                        const QStringList& names);

// Every entry that the patterns match and excluded (when given) does not,
// folder by folder, and the whole folder path of each whose name is safe, so
// that an entry that will be skipped leaves no empty folder.
ExtractionPlan PlanMatching(const ColTrees& trees, const NamePatterns& patterns,
                            const NamePatterns* excluded = nullptr);

// The entry that extraction leaves under a full name: the last with exactly
// that name, or else the last whose name differs from it in letter case only.
// Shown the entries one at a time, so that a directory too large for the
// model can be searched record by record; the one found is copied.
class EntryByName {
 public:
  explicit EntryByName(const QByteArray& name);
  void Consider(const ClsTreeDir& entry);
  const std::optional<ClsTreeDir>& Found() const { return exact_ ? exact_ : caseless_; }

 private:
  QByteArray name_;
  QString folded_;
  std::optional<ClsTreeDir> exact_;
  std::optional<ClsTreeDir> caseless_;
};

// EntryByName over the model; null when no entry has the name.
const ClsTreeDir* FindEntry(const ColTrees& trees, const QByteArray& name);

}  // namespace engine
