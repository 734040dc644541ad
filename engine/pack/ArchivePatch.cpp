#include "engine/pack/ArchivePatch.h"

#include <algorithm>

#include "engine/archive/CommonFunctions.h"
#include "engine/archive/FoldedKeys.h"
#include "engine/pack/DatArchiveWriter.h"
#include "engine/pack/NameOrder.h"

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

// The kept entries, checked to have their bodies inside the archive.
std::vector<int> keptEntries(const std::vector<OldEntry>& old, qint64 archiveLength,
                             const std::vector<bool>& dropped, PatchPlan& plan) {
  std::vector<int> kept;
  kept.reserve(old.size());
  for (int i = 0; i < static_cast<int>(old.size()); ++i) {
    if (dropped[i]) continue;
    const OldEntry& entry = old[i];
    if (entry.offset < 0 || entry.packedSize < 0 || entry.offset + entry.packedSize > archiveLength)
      plan.refused << shown(entry.name) + QStringLiteral(": its data lie outside the archive "
                                                         "(%1 bytes at offset %2)")
                                              .arg(entry.packedSize)
                                              .arg(entry.offset);
    kept.push_back(i);
    plan.copiedBytes += entry.packedSize;
  }
  return kept;
}

// A name's folders, "A\B" of "A\B\C.TXT": the names of one folder lie next
// to each other, and their folders need looking up once.
QByteArrayView foldersOf(QByteArrayView name) { return name.first(std::max<qsizetype>(LastFolderEnd(name), 0)); }

// The folded names of the new files, and each by its file's place. The old
// names, many, are folded only when looked up.
struct Keys {
  std::vector<QByteArray> added;
  KeyMap<int> addedByName;
};

// New names take the spelling of the folders met first, the archive's
// before the tree's. The names of one folder lie next to each other, and
// their folders are looked up once.
void adoptSpellings(const std::vector<OldEntry>& old, const Keys& keys, InputTree& tree) {
  KeyMap<QByteArray> spellings;
  for (const QByteArray& key : keys.added)
    forEachFolder(key, [&](qsizetype end) { spellings.emplace(QByteArrayView(key).first(end), QByteArray()); });
  FoldingBuffer folding;
  QByteArrayView previous;
  for (std::size_t i = 0; i < old.size(); ++i) {
    const QByteArrayView folders = foldersOf(old[i].name);
    const bool looked = i > 0 && folders == previous;
    previous = folders;
    if (looked) continue;
    const QByteArrayView key = folding.Fold(old[i].name);
    forEachFolder(key, [&](qsizetype end) {
      const auto known = spellings.find(key.first(end));
      if (known != spellings.end() && known->second.isEmpty())
        known->second = old[i].name.first(end).toByteArray();
    });
  }
  for (std::size_t f = 0; f < tree.files.size(); ++f) {
    QByteArray& name = tree.files[f].name;
    forEachFolder(name, [&](qsizetype end) {
      QByteArray& spelling = spellings[QByteArrayView(keys.added[f]).first(end)];
      if (spelling.isEmpty())
        spelling = name.left(end);
      else
        name.replace(0, end, spelling);
    });
  }
}

// A file and a folder of one name cannot both be in an archive: extraction
// could write only one of them.
void refuseFileFolderClashes(const std::vector<OldEntry>& old, const std::vector<int>& kept, const Keys& keys,
                             const InputTree& tree, PatchPlan& plan) {
  std::vector<bool> isFolder(tree.files.size());
  KeyMap<int> addedFolders;
  const auto folderOf = [&](QByteArrayView key) {
    forEachFolder(key, [&](qsizetype end) {
      const auto file = keys.addedByName.find(key.first(end));
      if (file != keys.addedByName.end()) isFolder[file->second] = true;
    });
  };
  FoldingBuffer folding;
  QByteArrayView previous;
  for (std::size_t at = 0; at < kept.size(); ++at) {
    const QByteArrayView folders = foldersOf(old[kept[at]].name);
    if (at == 0 || folders != previous) folderOf(folding.Fold(old[kept[at]].name));
    previous = folders;
  }
  for (std::size_t f = 0; f < tree.files.size(); ++f) {
    const QByteArrayView key = keys.added[f];
    folderOf(key);
    forEachFolder(key, [&](qsizetype end) { addedFolders.emplace(key.first(end), static_cast<int>(f)); });
  }
  for (std::size_t f = 0; f < tree.files.size(); ++f)
    if (isFolder[f])
      plan.refused << shown(tree.files[f].name) + QStringLiteral(": the archive would hold a folder of this name");
  KeyLengths folderLengths;
  for (const auto& folder : addedFolders) folderLengths.Add(folder.first.size());
  for (const int i : kept) {
    if (!folderLengths.MayHold(old[i].name.size())) continue;
    const auto file = addedFolders.find(folding.Fold(old[i].name));
    if (file != addedFolders.end())
      plan.refused << shown(tree.files[file->second].name) +
                          QStringLiteral(": its folder %1 is an entry of the archive").arg(shown(old[i].name));
  }
}

// The bodies in the old file's order with the new ones among them, and the
// directory in create's order.
void layOut(const std::vector<OldEntry>& old, const std::vector<int>& kept, const InputTree& tree,
            PatchPlan& plan) {
  const auto nameOf = [&](int index) -> QByteArrayView {
    return index >= 0 ? old[index].name : QByteArrayView(tree.files[~index].name);
  };
  std::vector<int> byOffset = kept;
  const auto atOffset = [&old](int a, int b) { return old[a].offset < old[b].offset; };
  if (!std::is_sorted(byOffset.begin(), byOffset.end(), atOffset))
    std::stable_sort(byOffset.begin(), byOffset.end(), atOffset);
  int nextNew = 0;
  const int added = static_cast<int>(tree.files.size());
  plan.bodies.reserve(byOffset.size() + tree.files.size());
  for (const int index : byOffset) {
    for (; nextNew < added && ComesBefore(nameOf(~nextNew), nameOf(index)); ++nextNew)
      plan.bodies.push_back(~nextNew);
    plan.bodies.push_back(index);
  }
  for (; nextNew < added; ++nextNew) plan.bodies.push_back(~nextNew);
  std::vector<QByteArrayView> names;
  names.reserve(plan.bodies.size());
  for (const int index : plan.bodies) names.push_back(nameOf(index));
  plan.records = InNameOrder(names);
}

// Writes the plan's kept bodies when the packer reaches the new files.
class BodyCopier {
 public:
  BodyCopier(const PatchPlan& plan, const std::vector<OldEntry>& old, int from, const InputTree& tree,
             DatArchiveWriter& writer, const std::function<void(qint64)>& packed,
             const std::function<bool()>& stopRequested)
      : plan_(plan),
        old_(old),
        from_(from),
        writer_(writer),
        packed_(packed),
        stopRequested_(stopRequested),
        positions_(tree.files.size()) {
    for (std::size_t at = 0; at < plan.bodies.size(); ++at)
      if (plan.bodies[at] < 0) positions_[~plan.bodies[at]] = at;
  }

  // Everything before the file; the file's body comes next.
  void Before(std::size_t file) {
    copyUpTo(positions_[file]);
    next_ = positions_[file] + 1;
  }
  void Rest() { copyUpTo(plan_.bodies.size()); }

 private:
  // The old entries before end, a run of bodies that lie next to each other
  // at a time. A new file passed over is one the packer could not read.
  void copyUpTo(std::size_t end) {
    std::vector<int> run;
    for (; next_ < end; ++next_) {
      const int index = plan_.bodies[next_];
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
  std::vector<std::size_t> positions_;  // of each new file in the bodies
  std::size_t next_ = 0;
};

}  // namespace

PatchPlan PlanAdd(const std::vector<OldEntry>& old, qint64 archiveLength, InputTree& tree) {
  PatchPlan plan;
  std::stable_sort(tree.files.begin(), tree.files.end(),
                   [](const InputFile& a, const InputFile& b) { return ComesBefore(a.name, b.name); });
  Keys keys;
  for (const InputFile& file : tree.files) keys.added.push_back(FoldedBytes(file.name));
  for (std::size_t f = 0; f < tree.files.size(); ++f)
    if (!keys.addedByName.emplace(keys.added[f], static_cast<int>(f)).second)
      plan.refused << shown(tree.files[f].name) + QStringLiteral(": two of the files given would be this entry");
  adoptSpellings(old, keys, tree);
  std::vector<bool> replaced(old.size()), replaces(tree.files.size());
  KeyLengths addedLengths;
  for (const QByteArray& key : keys.added) addedLengths.Add(key.size());
  FoldingBuffer folding;
  for (std::size_t i = 0; i < old.size(); ++i) {
    if (!addedLengths.MayHold(old[i].name.size())) continue;
    const auto file = keys.addedByName.find(folding.Fold(old[i].name));
    if (file == keys.addedByName.end()) continue;
    replaced[i] = true;
    replaces[file->second] = true;
  }
  for (std::size_t f = 0; f < tree.files.size(); ++f)
    plan.changes << (replaces[f] ? "replace " : "add ") + shown(tree.files[f].name);
  const std::vector<int> kept = keptEntries(old, archiveLength, replaced, plan);
  refuseFileFolderClashes(old, kept, keys, tree, plan);
  layOut(old, kept, tree, plan);
  return plan;
}

PatchPlan PlanDelete(const std::vector<OldEntry>& old, qint64 archiveLength, const std::vector<bool>& deleted) {
  PatchPlan plan;
  for (std::size_t i = 0; i < old.size(); ++i)
    if (deleted[i]) plan.changes << "delete " + shown(old[i].name);
  layOut(old, keptEntries(old, archiveLength, deleted, plan), {}, plan);
  return plan;
}

PackResult WritePatch(const PatchPlan& plan, const std::vector<OldEntry>& old, int oldFile, const InputTree& tree,
                      const std::vector<const platform::FolderHandle*>& roots, const PackOptions& options,
                      DatArchiveWriter& writer, const std::function<void(qint64)>& packed,
                      const std::function<bool()>& stopRequested) {
  qsizetype nameBytes = 0;
  for (const int index : plan.bodies)
    nameBytes += index >= 0 ? old[index].name.size() : tree.files[~index].name.size();
  writer.Reserve(static_cast<qsizetype>(plan.bodies.size()), nameBytes);
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
