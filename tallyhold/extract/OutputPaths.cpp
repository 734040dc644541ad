#include "tallyhold/extract/OutputPaths.h"

#include <dirent.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "tallyhold/extract/ExtractErrors.h"

namespace tallyhold {
namespace {

QString componentReason(const QByteArray& component) {
  if (component.isEmpty()) return QStringLiteral("its name has an empty folder or file name");
  if (component == "." || component == "..")
    return QStringLiteral("its name holds the folder \"%1\"").arg(QString::fromLatin1(component));
  const bool driveLike = component.size() >= 2 && component[1] == ':' &&
                         std::isalpha(static_cast<unsigned char>(component[0]));
  if (driveLike) return QStringLiteral("its name holds the drive \"%1\"").arg(QString::fromLatin1(component.left(2)));
  return {};
}

QString folded(const QByteArray& latin1) { return QString::fromLatin1(latin1).toCaseFolded(); }

QString shown(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

// Component by component, so that /dest-other is never taken for part of /dest.
bool contains(const std::filesystem::path& root, const std::filesystem::path& path) {
  return std::mismatch(root.begin(), root.end(), path.begin(), path.end()).first == root.end();
}

struct DirCloser {
  void operator()(DIR* dir) const { ::closedir(dir); }
};

std::string resolved(const std::string& path) {
  std::unique_ptr<char, decltype(&std::free)> real(::realpath(path.c_str(), nullptr), &std::free);
  if (!real) throw DestinationError(shown(path), errno);
  return real.get();
}

}  // namespace

QString UnsafeNameReason(const QByteArray& filename) {
  if (filename.contains('\0')) return QStringLiteral("its name holds a NUL byte");
  if (filename.contains('/')) return QStringLiteral("its name holds a \"/\"");
  for (const QByteArray& component : filename.split('\\')) {
    const QString reason = componentReason(component);
    if (!reason.isEmpty()) return reason;
  }
  return {};
}

std::string DiskName(const QByteArray& component) {
  return QFile::encodeName(QString::fromLatin1(component)).toStdString();
}

ExtractDestination::ExtractDestination(const QString& root, Layout layout)
    : root_(QDir::cleanPath(root)), layout_(layout) {}

std::string ExtractDestination::FolderFor(const ClsTreeDir& entry) {
  if (layout_ == Layout::Flat) return QFile::encodeName(root_).toStdString();
  return FolderOf(entry.FilePath());
}

std::string ExtractDestination::rootFolder() {
  if (resolvedRoot_.empty()) {
    const std::string root = QFile::encodeName(root_).toStdString();
    if (::mkdir(root.c_str(), 0777) != 0 && errno != EEXIST) throw DestinationError(root_, errno);
    const std::string folder = resolved(root);
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) throw DestinationError(root_, ENOTDIR);
    resolvedRoot_ = folder;
  }
  return resolvedRoot_;
}

std::string ExtractDestination::FolderOf(const QByteArray& folderPath) {
  if (folderPath == "\\") return rootFolder();
  const QString key = folded(folderPath);
  const auto known = folders_.constFind(key);
  if (known != folders_.constEnd()) return known.value();
  const QByteArray path = folderPath.endsWith('\\') ? folderPath.chopped(1) : folderPath;
  const QString unsafe = UnsafeNameReason(path);
  if (!unsafe.isEmpty()) throw EntryDataError(unsafe);
  const qsizetype slash = path.lastIndexOf('\\');
  const std::string parent = FolderOf(slash < 0 ? QByteArray("\\") : path.left(slash + 1));
  const std::string folder = childFolder(parent, path.mid(slash + 1));
  folders_.insert(key, folder);
  return folder;
}

std::string ExtractDestination::childFolder(const std::string& parent, const QByteArray& component) {
  Listing& listing = listingOf(parent);
  const QString name = folded(component);
  const auto existing = listing.constFind(name);
  const bool created = existing == listing.constEnd();
  const std::string path = parent + "/" + (created ? DiskName(component) : existing.value());
  bool empty = false;
  if (created) {
    empty = ::mkdir(path.c_str(), 0777) == 0;
    if (!empty && errno != EEXIST) throw DestinationError(shown(path), errno);
    listing.insert(name, path.substr(parent.size() + 1));
  }
  const std::string folder = resolved(path);
  if (!contains(resolvedRoot_, folder))
    throw EntryDataError(QStringLiteral("its folder %1 leads outside the destination").arg(shown(path)));
  struct stat info {};
  if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) throw DestinationError(shown(path), ENOTDIR);
  if (empty) listings_.insert(QByteArray::fromStdString(folder), {});  // nothing to read there
  return folder;
}

ExtractDestination::Listing& ExtractDestination::listingOf(const std::string& folder) {
  const QByteArray key = QByteArray::fromStdString(folder);
  const auto known = listings_.find(key);
  if (known != listings_.end()) return known.value();
  std::unique_ptr<DIR, DirCloser> dir(::opendir(folder.c_str()));
  if (!dir) throw DestinationError(shown(folder), errno);
  Listing listing;
  while (const dirent* item = ::readdir(dir.get())) {
    const QByteArray onDisk(item->d_name);
    if (onDisk != "." && onDisk != "..")
      listing.insert(QFile::decodeName(onDisk).toCaseFolded(), onDisk.toStdString());
  }
  return listings_.insert(key, listing).value();
}

}  // namespace tallyhold
