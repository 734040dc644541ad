#include "tools/InputTree.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <QFile>
#include <QHash>
#include <algorithm>
#include <limits>

#include "common/dat/DatFormat.h"
#include "common/platform/SystemReason.h"
#include "tallyhold/extract/OutputPaths.h"

namespace tools {
namespace {

struct Walk {
  platform::FolderHandle::Identity skip;
  InputTree& tree;
  QHash<QString, QByteArray> spellings;  // case-folded folder path -> the first spelling met
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
  return tallyhold::UnsafeNameReason(name);
}

// Folders that differ only in letter case would become one when extracted.
void checkSpelling(Walk& walk, const QByteArray& folderPath, const QString& where) {
  for (qsizetype end = folderPath.indexOf('\\'); end >= 0; end = folderPath.indexOf('\\', end + 1)) {
    const QByteArray prefix = folderPath.left(end);
    const QString key = QString::fromLatin1(prefix).toCaseFolded();
    const QByteArray first = walk.spellings.value(key, prefix);
    if (first != prefix)
      walk.tree.refused << where + QStringLiteral(": its folder %1 differs from the folder %2 only in letter case, "
                                                  "and the archive's readers take them for one")
                                       .arg(QString::fromLatin1(prefix), QString::fromLatin1(first));
    walk.spellings.insert(key, first);
  }
}

void walkFolder(Walk& walk, const platform::FolderHandle& folder, const std::vector<std::string>& diskPath,
                const QByteArray& prefix, const QString& where) {
  std::vector<std::string> names;
  if (const int error = folder.List(names)) {
    walk.tree.leftOut << where + ": " + platform::SystemReason(error);
    return;
  }
  std::sort(names.begin(), names.end());
  std::vector<std::pair<std::string, QByteArray>> subfolders;
  bool holdsFiles = false;
  for (const std::string& name : names) {
    // Only the messages need the shown path.
    const auto path = [&] { return shown(where, name); };
    struct stat info {};
    if (::fstatat(folder.Descriptor(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
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
    if (platform::FolderHandle::Identity{info.st_dev, info.st_ino} == walk.skip) continue;
    QString why;
    const QByteArray latin1 = latin1Of(name, why);
    if (latin1.isEmpty()) {
      walk.tree.refused << path() + ": " + why;
      continue;
    }
    if (S_ISDIR(info.st_mode)) {
      subfolders.emplace_back(name, prefix + latin1 + '\\');
      continue;
    }
    const QByteArray entryName = prefix + latin1;
    if (info.st_size > std::numeric_limits<int32_t>::max()) {
      walk.tree.refused << path() + QStringLiteral(": an entry holds at most 2 GiB - 1 bytes");
      continue;
    }
    if (const QString reason = fullNameReason(entryName); !reason.isEmpty()) {
      walk.tree.refused << path() + ": " + reason;
      continue;
    }
    if (!holdsFiles) {
      checkSpelling(walk, prefix, path());
      walk.tree.folders.push_back(diskPath);
      holdsFiles = true;
    }
    walk.tree.files.push_back({entryName, static_cast<int>(walk.tree.folders.size()) - 1, name, info.st_size});
    walk.tree.bytes += info.st_size;
  }
  for (const auto& [name, subPrefix] : subfolders) {
    platform::FolderHandle child;
    if (const int error = folder.OpenChild(name, false, child)) {
      walk.tree.leftOut << shown(where, name) + ": " + platform::SystemReason(error);
      continue;
    }
    std::vector<std::string> childPath = diskPath;
    childPath.push_back(name);
    walkFolder(walk, child, childPath, subPrefix, shown(where, name));
  }
}

}  // namespace

void WalkInput(const platform::FolderHandle& root, const QString& rootShown, platform::FolderHandle::Identity skip,
               InputTree& tree) {
  Walk walk{skip, tree, {}};
  walkFolder(walk, root, {}, {}, rootShown);
}

}  // namespace tools
