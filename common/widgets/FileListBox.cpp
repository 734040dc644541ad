#include "common/widgets/FileListBox.h"

#include <QDir>

#include "common/widgets/FolderAccess.h"

namespace widgets {

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent) {
  setAccessibleName(QStringLiteral("Files"));
  setSelectionMode(QAbstractItemView::SingleSelection);
  SetPath(QDir::currentPath());
}

QString FileListBox::Path() const { return path_; }

bool FileListBox::SetPath(const QString& path) {
  if (CheckFolder(path) != FolderFailure::None) return false;
  path_ = NormalFolderPath(path);
  list();
  return true;
}

void FileListBox::Refresh() {
  const QString selected = FileName();
  list();
  const QList<QListWidgetItem*> same = findItems(selected, Qt::MatchExactly);
  if (!selected.isEmpty() && !same.isEmpty()) setCurrentItem(same.first());
}

QString FileListBox::FileName() const {
  const QList<QListWidgetItem*> selected = selectedItems();
  return selected.isEmpty() ? QString() : selected.first()->text();
}

void FileListBox::list() {
  clear();
  // Sockets, pipes and devices are left out: reading one could block.
  addItems(QDir(path_).entryList(QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase));
}

}  // namespace widgets
