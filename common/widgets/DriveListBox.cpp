#include "common/widgets/DriveListBox.h"

#include <QStorageInfo>

#include "common/widgets/FolderAccess.h"

namespace widgets {

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
  if (keep.isEmpty() || !SetDrive(keep)) drive_ = currentData().toString();
}

QString DriveListBox::DriveOf(const QString& path) {
  const QStorageInfo volume(NormalFolderPath(path));
  return volume.isValid() ? volume.rootPath() : QString();
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
