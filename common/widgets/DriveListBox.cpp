#include "common/widgets/DriveListBox.h"

#include <QFileInfo>
#include <QStorageInfo>

#include "common/widgets/FolderAccess.h"

namespace widgets {
namespace {

// Always listed and holding every existing folder, even where the mount table
// does not show it (a chroot shows only the mounts made inside it).
const QString FileSystemRoot = QStringLiteral("/");

}  // namespace

DriveListBox::DriveListBox(QWidget* parent) : QComboBox(parent) {
  connect(this, &QComboBox::activated, this, &DriveListBox::userChose);
  Refresh();
}

QString DriveListBox::Drive() const { return drive_; }

bool DriveListBox::SetDrive(const QString& path) {
  const QString root = DriveOf(path);
  if (root.isEmpty()) return false;
  if (findData(root) < 0) addDrive(root, QStorageInfo(root).name());
  setCurrentIndex(findData(root));
  drive_ = root;
  return true;
}

void DriveListBox::Refresh() {
  const QString keep = drive_;
  clear();
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    if (volume.isValid() && volume.isReady() && findData(volume.rootPath()) < 0)
      addDrive(volume.rootPath(), volume.name());
  }
  if (findData(FileSystemRoot) < 0) addDrive(FileSystemRoot, {});
  if (keep.isEmpty() || !SetDrive(keep)) drive_ = currentData().toString();
}

QString DriveListBox::DriveOf(const QString& path) {
  const QString folder = NormalFolderPath(path);
  const QStorageInfo volume(folder);
  if (volume.isValid()) return volume.rootPath();
  return QFileInfo(folder).isAbsolute() && QFileInfo::exists(folder) ? FileSystemRoot : QString();
}

void DriveListBox::showPopup() {
  Refresh();
  QComboBox::showPopup();
}

void DriveListBox::addDrive(const QString& root, const QString& name) {
  addItem(name.isEmpty() ? root : root + QStringLiteral(" [") + name + ']', root);
  model()->sort(0);
}

void DriveListBox::userChose(int index) {
  const QString chosen = itemData(index).toString();
  if (chosen == drive_) return;
  drive_ = chosen;
  emit DriveChanged(chosen);
}

}  // namespace widgets
