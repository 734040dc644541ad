#include "engine/pack/InputTree.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <QFile>
#include <QHash>
#include <algorithm>
#include <limits>

#include "common/dat/DatFormat.h"
#include "common/platform/SystemReason.h"
#include "engine/archive/CommonFunctions.h"
#include "engine/extract/OutputPaths.h"

namespace engine {
namespace {

// The folder walked now: its path on disk below the input folder, its entries'
// name prefix and its path as messages show it, each grown by one name on the
// way down and cut back on the way up, never copied per level.
struct Walk {
  Skipped skip;
  InputTree& tree;
  const WalkScope& scope;
  QHash<QString, QByteArray> spellings;  // case-folded folder path -> the first spelling met
  std::vector<std::string> diskPath;
  QByteArray prefix;  // "A\B\", empty at the top
  QString where;
};

// One folder on the way down, held open until its subfolders are walked.
struct Level {
  platform::FolderHandle folder;
  std::vector<std::pair<std::string, QByteArray>> subfolders;  // disk name, Latin-1 name; sorted
  std::size_t next = 0;
};

QString shown(const QString& parent, const std::string& name) {
  return (parent.isEmpty() ? QString() : parent + '/') + QFile::decodeName(QByteArray::fromStdString(name));
}

// The name as the archive holds it, or empty with the reason in why.
QByteArray latin1Of(const std::string& diskName, QString& why) {
  const QByteArray bytes = QByteArray::fromStdString(diskName);
  const QString decoded = QFile::decodeName(bytes);
  if (QFile::encodeName(decoded) != bytes) {
    why = QStringLiteral("its name is not valid text in the file system's encoding");
    return {};
  }
  if (std::any_of(decoded.begin(), decoded.end(), [](QChar c) { return c.unicode() > 0xFF; })) {
    why = QStringLiteral("Latin-1, the archive's character set, cannot hold its name");
    return {};
  }
  if (decoded.contains('\\')) {
    why = QStringLiteral("its name holds a \"\\\", which the archive takes for a folder separator");
    return {};
  }
  return decoded.toLatin1();
}

// Where a whole name could not be written back by extraction.
QString fullNameReason(const QByteArray& name) {
  if (name.size() > dat::NameBufferSize)
    return QStringLiteral("its name in the archive would be %1 bytes long; the readers keep %2")
        .arg(name.size())
        .arg(dat::NameBufferSize);
  return UnsafeNameReason(name);
}

// Folders that differ only in letter case would become one when extracted.
void checkSpelling(Walk& walk, const QByteArray& folderPath, const QString& where) {
  for (qsizetype end = folderPath.indexOf('\\'); end >= 0; end = folderPath.indexOf('\\', end + 1)) {
    const QByteArray prefix = folderPath.left(end);
    const QString key = FoldedName(prefix);
    const QByteArray first = walk.spellings.value(key, prefix);
    if (first != prefix)
      walk.tree.refused << where +
                               QStringLiteral(": its folder %1 differs from the folder %2 only in letter case, "
                                              "and the archive's readers take them for one")
                                   .arg(QString::fromLatin1(prefix), QString::fromLatin1(first));
    walk.spellings.insert(key, first);
  }
}

// Whether a folder can be walked: every file below it would have a name of
// at least its path, a "\" and one letter.
QString folderReason(const QByteArray& folderPrefix) {
  if (folderPrefix.size() < dat::NameBufferSize) return {};
  return QStringLiteral("the names below it in the archive would be more than %1 bytes long; the readers keep %2")
      .arg(folderPrefix.size())
      .arg(dat::NameBufferSize);
}

// Takes the files of the folder walked now into the tree and keeps its
// subfolders in the level, both in the order of their names.
void listFolder(Walk& walk, Level& level, bool top) {
  std::vector<std::string> names;
  if (top && !walk.scope.only.empty()) {
    names.push_back(walk.scope.only);
  } else if (const int error = level.folder.List(names)) {
    walk.tree.leftOut << walk.where + ": " + platform::SystemReason(error);
    return;
  }
  std::sort(names.begin(), names.end());
  const bool holdsSkipped = level.folder.Id() == walk.skip.folder;
  bool holdsFiles = false;
  for (const std::string& name : names) {
    // Only the messages need the shown path.
    const auto path = [&] { return shown(walk.where, name); };
    if (holdsSkipped && name == walk.skip.name) continue;
    struct stat info {};
    if (::fstatat(level.folder.Descriptor(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
      const int error = errno;
      walk.tree.leftOut << path() + ": " + platform::SystemReason(error);
      continue;
    }
    if (S_ISLNK(info.st_mode)) {
      walk.tree.leftOut << path() + QStringLiteral(": a symbolic link, which is never followed");
      continue;
    }
    if (!S_ISDIR(info.st_mode) && !S_ISREG(info.st_mode)) {
      walk.tree.leftOut << path() + QStringLiteral(": not a regular file");
      continue;
    }
    if (walk.skip.file == platform::FolderHandle::Identity{info.st_dev, info.st_ino}) continue;
    QString why;
    const QByteArray latin1 = latin1Of(name, why);
    if (latin1.isEmpty()) {
      walk.tree.refused << path() + ": " + why;
      continue;
    }
    if (S_ISDIR(info.st_mode)) {
      if (const QString reason = folderReason(walk.prefix + latin1 + '\\'); !reason.isEmpty())
        walk.tree.refused << path() + ": " + reason;
      else
        level.subfolders.emplace_back(name, latin1);
      continue;
    }
    const QByteArray entryName = walk.prefix + latin1;
    if (info.st_size > std::numeric_limits<int32_t>::max()) {
      walk.tree.refused << path() + QStringLiteral(": an entry holds at most 2 GiB - 1 bytes");
      continue;
    }
    if (const QString reason = fullNameReason(entryName); !reason.isEmpty()) {
      walk.tree.refused << path() + ": " + reason;
      continue;
    }
    if (!holdsFiles) {
      checkSpelling(walk, walk.prefix, path());
      walk.tree.folders.push_back({walk.scope.root, walk.diskPath, walk.where});
      holdsFiles = true;
    }
    walk.tree.files.push_back({entryName, static_cast<int>(walk.tree.folders.size()) - 1, name, info.st_size});
    walk.tree.bytes += info.st_size;
  }
}

// Goes down into the level's next subfolder; false when it cannot be opened.
bool enterNext(Walk& walk, std::vector<Level>& levels) {
  Level& parent = levels.back();
  const auto& [name, latin1] = parent.subfolders[parent.next++];
  Level child;
  if (const int error = parent.folder.OpenChild(name, false, child.folder)) {
    walk.tree.leftOut << shown(walk.where, name) + ": " + platform::SystemReason(error);
    return false;
  }
  walk.diskPath.push_back(name);
  walk.prefix += latin1 + '\\';
  walk.where += '/' + QFile::decodeName(QByteArray::fromStdString(name));
  levels.push_back(std::move(child));
  return true;
}

// Back up to the parent of the folder walked now.
void leave(Walk& walk, std::vector<Level>& levels) {
  levels.pop_back();
  if (levels.empty()) return;
  const QByteArray& latin1 = levels.back().subfolders[levels.back().next - 1].second;
  walk.prefix.chop(latin1.size() + 1);
  walk.where.chop(QFile::decodeName(QByteArray::fromStdString(walk.diskPath.back())).size() + 1);
  walk.diskPath.pop_back();
}

}  // namespace

// Depth first without recursion: the levels held are bounded by the longest
// name the archive holds, since a folder whose names would pass it is refused
// before it is opened.
void WalkInput(const platform::FolderHandle& root, const QString& rootShown, const Skipped& skip, InputTree& tree,
               const WalkScope& scope) {
  Walk walk{skip, tree, scope, {}, {}, scope.prefix, rootShown};
  std::vector<Level> levels(1);
  if (const int error = root.OpenChild(".", false, levels.back().folder)) {
    tree.leftOut << rootShown + ": " + platform::SystemReason(error);
    return;
  }
  listFolder(walk, levels.back(), true);
  while (!levels.empty()) {
    if (levels.back().next == levels.back().subfolders.size())
      leave(walk, levels);
    else if (enterNext(walk, levels))
      listFolder(walk, levels.back(), false);
  }
}

}  // namespace engine
