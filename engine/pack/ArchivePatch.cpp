#include "engine/pack/ArchivePatch.h"

#include <QHash>
#include <QSet>
#include <algorithm>

#include "engine/archive/CommonFunctions.h"
#include "engine/pack/DatArchiveWriter.h"

namespace engine {
namespace {

// A run of bodies is copied in pieces this large, so that a stop is taken
// within a run of hundreds of megabytes.
constexpr qint64 CopyPiece = 64 << 20;

// A stop asked for while bodies were copied.
struct CopyStopped {};

QString shown(QByteArrayView name) { return QString::fromLatin1(name); }

// Each folder of a name, as the name up to (not with) a "\".
template <typename Visit>
void forEachFolder(QByteArrayView name, Visit visit) {
  for (qsizetype end = name.indexOf('\\'); end >= 0; end = name.indexOf('\\', end + 1)) visit(end);
}

// The kept entries in the new order, checked to have their bodies inside
// the archive.
std::vector<int> keptInOrder(const std::vector<OldEntry>& old, qint64 archiveLength, const std::vector<bool>& dropped,
                             PatchPlan& plan) {
  std::vector<int> kept;
  for (int i = 0; i < static_cast<int>(old.size()); ++i) {
    if (dropped[i]) continue;
    const OldEntry& entry = old[i];
    if (entry.offset < 0 || entry.packedSize < 0 || entry.offset + entry.packedSize > archiveLength)
      plan.refused << shown(entry.name) + QStringLiteral(": its data lie outside the archive (%1 bytes at offset %2)")
                                              .arg(entry.packedSize)
                                              .arg(entry.offset);
    kept.push_back(i);
    plan.copiedBytes += entry.packedSize;
  }
  std::stable_sort(kept.begin(), kept.end(),
                   [&old](int a, int b) { return ComesBefore(old[a].name, old[b].name); });
  return kept;
}

// New names take the spelling of the folders met first, the archive's
// before the tree's.
void adoptSpellings(const std::vector<OldEntry>& old, InputTree& tree) {
  QHash<QString, QByteArray> spellings;
  const auto learn = [&spellings](QByteArray& name, bool adopt) {
    forEachFolder(name, [&](qsizetype end) {
      const QByteArray folder = name.left(end);
      const auto known = spellings.constFind(FoldedName(folder));
      if (known == spellings.cend())
        spellings.insert(FoldedName(folder), folder);
      else if (adopt)
        name.replace(0, end, *known);
    });
  };
  for (const OldEntry& entry : old) {
    QByteArray name = entry.name;
    learn(name, false);
  }
  for (InputFile& file : tree.files) learn(file.name, true);
}

// A file and a folder of one name cannot both be in an archive: extraction
// could write only one of them.
void refuseFileFolderClashes(const std::vector<OldEntry>& old, const std::vector<int>& kept, const InputTree& tree,
                             PatchPlan& plan) {
  QSet<QString> folders, keptFiles;
  const auto addFolders = [&folders](QByteArrayView name) {
    forEachFolder(name, [&](qsizetype end) { folders.insert(FoldedName(name.first(end))); });
  };
  for (const int i : kept) {
    addFolders(old[i].name);
    keptFiles.insert(FoldedName(old[i].name));
  }
  for (const InputFile& file : tree.files) addFolders(file.name);
  for (const InputFile& file : tree.files) {
    if (folders.contains(FoldedName(file.name)))
      plan.refused << shown(file.name) + QStringLiteral(": the archive would hold a folder of this name");
    forEachFolder(file.name, [&](qsizetype end) {
      if (keptFiles.contains(FoldedName(QByteArrayView(file.name).first(end))))
        plan.refused << shown(file.name) + QStringLiteral(": its folder %1 is an entry of the archive")
                                               .arg(shown(QByteArrayView(file.name).first(end)));
    });
  }
}

// Writes the plan's kept bodies when the packer reaches the new files.
class BodyCopier {
 public:
  BodyCopier(const PatchPlan& plan, const std::vector<OldEntry>& old, int from, const InputTree& tree,
             DatArchiveWriter& writer, const std::function<void(qint64)>& packed,
             const std::function<bool()>& stopRequested)
      : plan_(plan), old_(old), from_(from), writer_(writer), packed_(packed), stopRequested_(stopRequested),
        positions_(tree.files.size()) {
    for (std::size_t at = 0; at < plan.order.size(); ++at)
      if (plan.order[at] < 0) positions_[~plan.order[at]] = at;
  }

  // Everything before the file; the file's body comes next.
  void Before(std::size_t file) {
    copyUpTo(positions_[file]);
    next_ = positions_[file] + 1;
  }
  void Rest() { copyUpTo(plan_.order.size()); }

 private:
  // The old entries before end, a run of bodies that lie next to each other
  // at a time. A new file passed over is one the packer could not read.
  void copyUpTo(std::size_t end) {
    std::vector<int> run;
    for (; next_ < end; ++next_) {
      const int index = plan_.order[next_];
      if (index < 0) continue;
      if (!run.empty() && old_[index].offset != old_[run.back()].offset + old_[run.back()].packedSize) flush(run);
      run.push_back(index);
    }
    flush(run);
  }
  void flush(std::vector<int>& run) {
    if (run.empty()) return;
    const qint64 start = old_[run.front()].offset;
    const qint64 size = old_[run.back()].offset + old_[run.back()].packedSize - start;
    for (qint64 done = 0; done < size; done += CopyPiece) {
      if (stopRequested_()) throw CopyStopped{};
      writer_.CopyBodies(from_, start + done, std::min(CopyPiece, size - done));
    }
    for (const int index : run) {
      const OldEntry& entry = old_[index];
      writer_.EndCopiedEntry(entry.name, entry.compressed, entry.realSize, entry.packedSize);
      packed_(entry.packedSize);
    }
    run.clear();
  }

  const PatchPlan& plan_;
  const std::vector<OldEntry>& old_;
  int from_;
  DatArchiveWriter& writer_;
  const std::function<void(qint64)>& packed_;
  const std::function<bool()>& stopRequested_;
  std::vector<std::size_t> positions_;  // of each new file in the order
  std::size_t next_ = 0;
};

}  // namespace

// Component by component: a file before a folder at the same level, names
// of one kind in the order of their bytes.
bool ComesBefore(QByteArrayView a, QByteArrayView b) {
  for (qsizetype start = 0;;) {
    const qsizetype endA = a.indexOf('\\', start), endB = b.indexOf('\\', start);
    if ((endA < 0) != (endB < 0)) return endA < 0;
    const QByteArrayView partA = a.sliced(start, (endA < 0 ? a.size() : endA) - start);
    const QByteArrayView partB = b.sliced(start, (endB < 0 ? b.size() : endB) - start);
    if (const int order = partA.compare(partB); order != 0) return order < 0;
    if (endA < 0) return false;
    start = endA + 1;
  }
}

PatchPlan PlanAdd(const std::vector<OldEntry>& old, qint64 archiveLength, InputTree& tree) {
  PatchPlan plan;
  adoptSpellings(old, tree);
  std::stable_sort(tree.files.begin(), tree.files.end(),
                   [](const InputFile& a, const InputFile& b) { return ComesBefore(a.name, b.name); });
  QHash<QString, std::vector<int>> byName;
  for (int i = 0; i < static_cast<int>(old.size()); ++i) byName[FoldedName(old[i].name)].push_back(i);
  std::vector<bool> replaced(old.size());
  QHash<QString, QByteArray> given;
  for (const InputFile& file : tree.files) {
    const QString folded = FoldedName(file.name);
    if (given.contains(folded)) {
      plan.refused << shown(file.name) + QStringLiteral(": two of the files given would be this entry");
      continue;
    }
    given.insert(folded, file.name);
    const auto same = byName.constFind(folded);
    if (same != byName.cend())
      for (const int i : *same) replaced[i] = true;
    plan.changes << (same == byName.cend() ? "add " : "replace ") + shown(file.name);
  }
  const std::vector<int> kept = keptInOrder(old, archiveLength, replaced, plan);
  refuseFileFolderClashes(old, kept, tree, plan);
  std::vector<int> added(tree.files.size());
  for (int i = 0; i < static_cast<int>(added.size()); ++i) added[i] = ~i;
  plan.order.resize(kept.size() + added.size());
  const auto nameOf = [&](int index) -> QByteArrayView {
    return index >= 0 ? QByteArrayView(old[index].name) : QByteArrayView(tree.files[~index].name);
  };
  std::merge(kept.begin(), kept.end(), added.begin(), added.end(), plan.order.begin(),
             [&](int a, int b) { return ComesBefore(nameOf(a), nameOf(b)); });
  return plan;
}

PatchPlan PlanDelete(const std::vector<OldEntry>& old, qint64 archiveLength, const std::vector<bool>& deleted) {
  PatchPlan plan;
  for (std::size_t i = 0; i < old.size(); ++i)
    if (deleted[i]) plan.changes << "delete " + shown(old[i].name);
  plan.order = keptInOrder(old, archiveLength, deleted, plan);
  return plan;
}

PackResult WritePatch(const PatchPlan& plan, const std::vector<OldEntry>& old, int oldFile, const InputTree& tree,
                      const std::vector<const platform::FolderHandle*>& roots, const PackOptions& options,
                      DatArchiveWriter& writer, const std::function<void(qint64)>& packed,
                      const std::function<bool()>& stopRequested) {
  BodyCopier copier(plan, old, oldFile, tree, writer, packed, stopRequested);
  PackOptions between = options;
  between.beforeBody = [&](const InputFile& file) { copier.Before(&file - tree.files.data()); };
  PackResult result;
  try {
    if (!tree.files.empty()) result = PackFiles(tree, roots, between, writer, packed, stopRequested);
    if (!result.stopped) copier.Rest();
  } catch (const CopyStopped&) {
    result.stopped = true;
  }
  return result;
}

}  // namespace engine
