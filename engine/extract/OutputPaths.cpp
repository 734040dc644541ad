#include "engine/extract/OutputPaths.h"

#include <QFile>
#include <cctype>
#include <cerrno>
#include <vector>

#include "common/platform/SafeFile.h"
#include "common/platform/SystemReason.h"
#include "engine/archive/CommonFunctions.h"
#include "engine/extract/ExtractErrors.h"

namespace engine {
namespace {

// Folders of a large archive come and go in runs; holding a few dozen open
// keeps every lookup a hash hit without running into the descriptor limit.
constexpr std::size_t MaxHeldFolders = 64;

const QString RootKey = QStringLiteral("\\");

QString componentReason(const QByteArray& component) {
  if (component.isEmpty()) return QStringLiteral("its name has an empty folder or file name");
  if (component == "." || component == "..")
    return QStringLiteral("its name holds the folder \"%1\"").arg(QString::fromLatin1(component));
  const bool driveLike = component.size() >= 2 && component[1] == ':' &&
                         std::isalpha(static_cast<unsigned char>(component[0]));
  if (driveLike)
    return QStringLiteral("its name holds the drive \"%1\"").arg(QString::fromLatin1(component.left(2)));
  return {};
}

QString shown(const std::string& diskName) { return QFile::decodeName(QByteArray::fromStdString(diskName)); }

QString withSeparator(const QString& folder) { return folder.endsWith('/') ? folder : folder + '/'; }

// What the user is told when DestRoot itself cannot be a folder.
QString rootReason(int error) {
  if (error == ELOOP)
    return QStringLiteral("A symbolic link stands under this name, and extraction never follows one. "
                          "Choose another folder.");
  if (error == ENOTDIR)
    return QStringLiteral("A file stands under this name where the archive's folder must be made (the "
                          "archive itself, when it lies in the chosen folder). Choose another folder.");
  return platform::SystemReason(error);
}

std::shared_ptr<const platform::FolderHandle> held(platform::FolderHandle&& folder) {
  return std::make_shared<const platform::FolderHandle>(std::move(folder));
}

}  // namespace

struct ExtractDestination::Level {
  QString parentKey;
  std::string diskName;
  QString shown;
  bool made = false;
  platform::FolderHandle::Identity id;
  std::shared_ptr<const platform::FolderHandle> handle;  // empty while let go
  std::list<QString>::iterator heldAt;
};

QString UnsafeNameReason(const QByteArray& filename) {
  if (filename.contains('\0')) return QStringLiteral("its name holds a NUL byte");
  if (filename.contains('/')) return QStringLiteral("its name holds a \"/\"");
  for (const QByteArray& component : filename.split('\\')) {
    const QString reason = componentReason(component);
    if (!reason.isEmpty()) return reason;
  }
  return {};
}

QString ShownPath(const QString& folder, const std::string& diskName) {
  return withSeparator(folder) + shown(diskName);
}

std::string DiskName(const QByteArray& component) {
  return QFile::encodeName(QString::fromLatin1(component)).toStdString();
}

ExtractDestination::ExtractDestination(const QString& chosen, const QString& rootName, Layout layout)
    : chosen_(chosen), rootName_(rootName), layout_(layout) {}

ExtractDestination::~ExtractDestination() = default;

QString ExtractDestination::RootPath() const {
  return rootName_.isEmpty() ? chosen_ : withSeparator(chosen_) + rootName_;
}

DestFolder ExtractDestination::Root() {
  if (root_.handle) return root_;
  platform::FolderHandle chosen;
  if (const int error = platform::FolderHandle::Open(chosen_, chosen)) throw DestinationError(chosen_, error);
  if (rootName_.isEmpty()) {
    platform::SafeFile::RemoveStale(chosen, HiddenPrefix);
    root_ = {held(std::move(chosen)), chosen_};
    return root_;
  }
  platform::FolderHandle root;
  bool made = false;
  if (const int error = chosen.OpenChild(QFile::encodeName(rootName_).toStdString(), true, root, &made))
    throw DestinationError(RootPath(), rootReason(error));
  if (made)
    listings_.insert(RootKey, {});
  else
    platform::SafeFile::RemoveStale(root, HiddenPrefix);
  root_ = {held(std::move(root)), RootPath(), made};
  return root_;
}

DestFolder ExtractDestination::FolderFor(const ClsTreeDir& entry) {
  return layout_ == Layout::Flat ? Root() : FolderOf(entry.FilePath());
}

bool ExtractDestination::Knows(const ClsTreeDir& entry) const {
  if (!root_.handle) return false;
  const QString key = FoldedName(entry.FilePath());
  return layout_ == Layout::Flat || key == RootKey || levels_.contains(key);
}

DestFolder ExtractDestination::FolderOf(const QByteArray& folderPath) {
  const QString key = FoldedName(folderPath);
  if (key == RootKey) return Root();
  if (levels_.contains(key)) return levelFolder(key);
  const QByteArray path = folderPath.endsWith('\\') ? folderPath.chopped(1) : folderPath;
  const QString unsafe = UnsafeNameReason(path);
  if (!unsafe.isEmpty()) throw EntryDataError(unsafe);
  return newLevel(key, path);
}

DestFolder ExtractDestination::newLevel(const QString& key, const QByteArray& path) {
  const qsizetype slash = path.lastIndexOf('\\');
  const QByteArray parentPath = slash < 0 ? QByteArray("\\") : path.left(slash + 1);
  const DestFolder parent = FolderOf(parentPath);
  const QString parentKey = FoldedName(parentPath);
  const std::string disk = diskNameFor(parentKey, parent, path.mid(slash + 1));
  const QString where = ShownPath(parent.shown, disk);
  platform::FolderHandle child;
  bool made = false;
  if (const int error = parent.handle->OpenChild(disk, true, child, &made)) ThrowForSystemError(error, where);
  if (made)
    listings_.insert(key, {});  // nothing in it to look up
  else
    platform::SafeFile::RemoveStale(child, HiddenPrefix);
  Level& level = levels_[key];
  level.parentKey = parentKey;
  level.diskName = disk;
  level.shown = where;
  level.made = made;
  level.id = child.Id();
  hold(key, level, held(std::move(child)));
  return {level.handle, where, made};
}

// A level let go is opened again from its parent, and must still be the
// folder it was: a folder swapped meanwhile is never entered.
DestFolder ExtractDestination::levelFolder(const QString& key) {
  Level& level = levels_[key];
  if (level.handle) {
    held_.splice(held_.end(), held_, level.heldAt);
    return {level.handle, level.shown, level.made};
  }
  const DestFolder parent = level.parentKey == RootKey ? Root() : levelFolder(level.parentKey);
  platform::FolderHandle child;
  if (const int error = parent.handle->OpenChild(level.diskName, false, child))
    ThrowForSystemError(error, level.shown);
  if (!(child.Id() == level.id)) throw EntryDataError(level.shown + " was replaced while the extraction ran");
  hold(key, level, held(std::move(child)));
  return {level.handle, level.shown, level.made};
}

void ExtractDestination::hold(const QString& key, Level& level,
                              std::shared_ptr<const platform::FolderHandle> handle) {
  level.handle = std::move(handle);
  level.heldAt = held_.insert(held_.end(), key);
  if (held_.size() <= MaxHeldFolders) return;
  levels_[held_.front()].handle.reset();
  held_.pop_front();
}

// Names differing only in letter case are one: an existing name is taken as
// it is spelled on disk.
std::string ExtractDestination::diskNameFor(const QString& parentKey, const DestFolder& parent,
                                            const QByteArray& component) {
  auto listing = listings_.find(parentKey);
  if (listing == listings_.end()) {
    std::vector<std::string> names;
    if (const int error = parent.handle->List(names)) throw DestinationError(parent.shown, error);
    Listing found;
    for (const std::string& name : names) found.insert(shown(name).toCaseFolded(), name);
    listing = listings_.insert(parentKey, found);
  }
  const QString name = FoldedName(component);
  const auto existing = listing->constFind(name);
  if (existing != listing->constEnd()) return existing.value();
  const std::string disk = DiskName(component);
  listing->insert(name, disk);
  return disk;
}

}  // namespace engine
