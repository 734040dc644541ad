#include "engine/pack/ArchivePatch.h"

#include <QHash>
#include <QStringView>
#include <algorithm>
#include <string>
#include <unordered_map>

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

// The folders of a name, "A\B" of "A\B\C.TXT": the names of one folder lie
// next to each other, and their folders need looking up once.
QByteArrayView foldersOf(QByteArrayView name) {
  return name.first(std::max<qsizetype>(name.lastIndexOf('\\'), 0));
}

// The lengths of a few keys: a name of another length cannot be one of
// them and is not looked up, which spares hashing 30,000 names.
class KeyLengths {
 public:
  void Add(qsizetype length) {
    if (static_cast<std::size_t>(length) >= lengths_.size()) lengths_.resize(length + 1);
    lengths_[length] = true;
  }
  bool MayHold(QStringView key) const {
    return static_cast<std::size_t>(key.size()) < lengths_.size() && lengths_[key.size()];
  }

 private:
  std::vector<bool> lengths_;
};

// The kept entries, checked to have their bodies inside the archive.
std::vector<int> keptEntries(const std::vector<OldEntry>& old, qint64 archiveLength,
                             const std::vector<bool>& dropped, PatchPlan& plan) {
  std::vector<int> kept;
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

// Names without letter case, looked up as views of the folded names, so
// that the folders of 30,000 names cost no string each.
struct ViewHash {
  std::size_t operator()(QStringView view) const { return qHash(view); }
};
template <typename Value>
using ViewMap = std::unordered_map<QStringView, Value, ViewHash>;

// The folded names of the old entries and of the new files, the new ones
// each by their file's place.
struct Keys {
  std::vector<QString> old;
  std::vector<QString> added;
  ViewMap<int> addedByName;
};

// New names take the spelling of the folders met first, the archive's
// before the tree's.
void adoptSpellings(const std::vector<OldEntry>& old, const Keys& keys, InputTree& tree) {
  ViewMap<QByteArray> spellings;
  for (std::size_t f = 0; f < tree.files.size(); ++f)
    forEachFolder(tree.files[f].name,
                  [&](qsizetype end) { spellings.emplace(QStringView(keys.added[f]).first(end), QByteArray()); });
  for (std::size_t i = 0; i < old.size(); ++i) {
    if (i > 0 && foldersOf(old[i].name) == foldersOf(old[i - 1].name)) continue;
    forEachFolder(old[i].name, [&](qsizetype end) {
      const auto known = spellings.find(QStringView(keys.old[i]).first(end));
      if (known != spellings.end() && known->second.isEmpty()) known->second = old[i].name.left(end);
    });
  }
  for (std::size_t f = 0; f < tree.files.size(); ++f) {
    QByteArray& name = tree.files[f].name;
    forEachFolder(name, [&](qsizetype end) {
      QByteArray& spelling = spellings[QStringView(keys.added[f]).first(end)];
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
  ViewMap<int> addedFolders;
  const auto folderOf = [&](const QString& key, QByteArrayView name) {
    forEachFolder(name, [&](qsizetype end) {
      const auto file = keys.addedByName.find(QStringView(key).first(end));
      if (file != keys.addedByName.end()) isFolder[file->second] = true;
    });
  };
  for (std::size_t at = 0; at < kept.size(); ++at)
    if (at == 0 || foldersOf(old[kept[at]].name) != foldersOf(old[kept[at - 1]].name))
      folderOf(keys.old[kept[at]], old[kept[at]].name);
  for (std::size_t f = 0; f < tree.files.size(); ++f) {
    folderOf(keys.added[f], tree.files[f].name);
    forEachFolder(tree.files[f].name, [&](qsizetype end) {
      addedFolders.emplace(QStringView(keys.added[f]).first(end), static_cast<int>(f));
    });
  }
  for (std::size_t f = 0; f < tree.files.size(); ++f)
    if (isFolder[f])
      plan.refused << shown(tree.files[f].name) + QStringLiteral(": the archive would hold a folder of this name");
  KeyLengths folderLengths;
  for (const auto& folder : addedFolders) folderLengths.Add(folder.first.size());
  for (const int i : kept) {
    if (!folderLengths.MayHold(keys.old[i])) continue;
    const auto file = addedFolders.find(QStringView(keys.old[i]));
    if (file != addedFolders.end())
      plan.refused << shown(tree.files[file->second].name) +
                          QStringLiteral(": its folder %1 is an entry of the archive").arg(shown(old[i].name));
  }
}

// A key whose byte order is ComesBefore's: each component led by 1 for the
// file and 2 for a folder, a zero byte in it written 0 255 and a folder's
// end 0 (then 1 or 2), so that a folder's name comes before a longer one
// that begins with it.
std::string orderKey(QByteArrayView name) {
  std::string key;
  key.reserve(static_cast<std::size_t>(name.size()) + 16);
  for (qsizetype start = 0;;) {
    const qsizetype end = name.indexOf('\\', start);
    key += end < 0 ? '\1' : '\2';
    for (const char c : name.sliced(start, (end < 0 ? name.size() : end) - start)) {
      key += c;
      if (c == '\0') key += '\xff';
    }
    if (end < 0) return key;
    key += '\0';
    start = end + 1;
  }
}

// The bodies in the old file's order with the new ones among them, and the
// directory in create's order.
void layOut(const std::vector<OldEntry>& old, const std::vector<int>& kept, const InputTree& tree,
            PatchPlan& plan) {
  const auto nameOf = [&](int index) -> QByteArrayView {
    return index >= 0 ? QByteArrayView(old[index].name) : QByteArrayView(tree.files[~index].name);
  };
  std::vector<int> byOffset = kept;
  std::stable_sort(byOffset.begin(), byOffset.end(),
                   [&old](int a, int b) { return old[a].offset < old[b].offset; });
  int nextNew = 0;
  const int added = static_cast<int>(tree.files.size());
  for (const int index : byOffset) {
    for (; nextNew < added && ComesBefore(nameOf(~nextNew), nameOf(index)); ++nextNew)
      plan.bodies.push_back(~nextNew);
    plan.bodies.push_back(index);
  }
  for (; nextNew < added; ++nextNew) plan.bodies.push_back(~nextNew);

  std::vector<int> directory(plan.bodies.size());
  std::vector<std::string> keys(plan.bodies.size());
  for (int at = 0; at < static_cast<int>(directory.size()); ++at) {
    directory[at] = at;
    keys[at] = orderKey(nameOf(plan.bodies[at]));
  }
  const auto byName = [&keys](int a, int b) { return keys[a] < keys[b]; };
  // An archive create made has its bodies in the directory's order already.
  if (!std::is_sorted(directory.begin(), directory.end(), byName))
    std::stable_sort(directory.begin(), directory.end(), byName);
  plan.records = std::move(directory);
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

OldEntry OldEntryOf(const ClsTreeDir& entry) {
  return {entry.Filename, entry.IsCompressed(), entry.RealSize, entry.PackedSize, entry.Offset};
}

// Component by component: a file before a folder at the same level, names
// of one kind in the order of their bytes. Decided where the names first
// differ, the component there ending where its "\" is.
bool ComesBefore(QByteArrayView a, QByteArrayView b) {
  const auto [inA, inB] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
  if (inB == b.end()) return false;
  if (inA == a.end()) return true;
  const qsizetype at = inA - a.begin();
  const bool fileA = a.indexOf('\\', at) < 0, fileB = b.indexOf('\\', at) < 0;
  if (fileA != fileB) return fileA;
  if (*inA == '\\') return true;
  if (*inB == '\\') return false;
  return static_cast<unsigned char>(*inA) < static_cast<unsigned char>(*inB);
}

PatchPlan PlanAdd(const std::vector<OldEntry>& old, qint64 archiveLength, InputTree& tree) {
  PatchPlan plan;
  std::stable_sort(tree.files.begin(), tree.files.end(),
                   [](const InputFile& a, const InputFile& b) { return ComesBefore(a.name, b.name); });
  Keys keys;
  keys.old.reserve(old.size());
  for (const OldEntry& entry : old) keys.old.push_back(FoldedName(entry.name));
  for (const InputFile& file : tree.files) keys.added.push_back(FoldedName(file.name));
  for (std::size_t f = 0; f < tree.files.size(); ++f)
    if (!keys.addedByName.emplace(QStringView(keys.added[f]), static_cast<int>(f)).second)
      plan.refused << shown(tree.files[f].name) + QStringLiteral(": two of the files given would be this entry");
  adoptSpellings(old, keys, tree);
  std::vector<bool> replaced(old.size()), replaces(tree.files.size());
  KeyLengths addedLengths;
  for (const QString& key : keys.added) addedLengths.Add(key.size());
  for (std::size_t i = 0; i < old.size(); ++i) {
    if (!addedLengths.MayHold(keys.old[i])) continue;
    const auto file = keys.addedByName.find(QStringView(keys.old[i]));
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
