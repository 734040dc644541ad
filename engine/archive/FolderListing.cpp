#include "engine/archive/FolderListing.h"

#include "common/dat/DatFormat.h"
#include "engine/archive/CommonFunctions.h"

namespace engine {
namespace {

QString entryCell(const ClsTreeDir& entry, int column) {
  switch (column) {
    case 0:
      return QString::fromLatin1(GetFileName(entry.Filename));
    case 1:
      return QString::number(entry.FilenameSize);
    case 2:
      return dat::FormatHex(entry.Offset) + QLatin1Char('h');
    case 3:
      return QString::number(entry.RealSize);
    case 4:
      return QString::number(entry.PackedSize);
    case 5:
      return entry.IsCompressed() ? QStringLiteral("True") : QStringLiteral("False");
    default:
      return {};
  }
}

}  // namespace

FolderListing FolderListing::Of(const ColTrees& trees, const QByteArray& path) {
  FolderListing listing;
  listing.listed_ = true;
  listing.path_ = path;
  listing.folder_ = trees.Find(QString::fromLatin1(path));
  return listing;
}

int FolderListing::RowCount() const {
  if (folder_) return folder_->Count();
  return listed_ ? 1 : 0;
}

QString FolderListing::Cell(int row, int column) const {
  if (!folder_) return row == 0 && column == 0 && listed_ ? QStringLiteral("Empty folder") : QString();
  if (row < 0 || row >= folder_->Count()) return {};
  return entryCell(*folder_->Item(row + 1), column);
}

QString FolderListing::StatusText() const {
  if (!folder_) return QStringLiteral("There are no files in this folder");
  return QStringLiteral("There are %1 files in this folder").arg(folder_->Count());
}

}  // namespace engine
