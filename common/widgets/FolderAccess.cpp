#include "common/widgets/FolderAccess.h"

#include <QDir>
#include <QFileInfo>

namespace widgets {

FolderFailure CheckFolder(const QString& path) {
  const QFileInfo info(path);
  if (path.isEmpty() || !info.isDir()) return FolderFailure::NotFound;
  if (!info.isReadable() || !info.isExecutable()) return FolderFailure::AccessDenied;
  return FolderFailure::None;
}

QString NormalFolderPath(const QString& path) { return QDir::cleanPath(QFileInfo(path).absoluteFilePath()); }

}  // namespace widgets
