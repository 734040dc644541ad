#include "tallyhold/windows/FolderListModel.h"

namespace tallyhold {

void FolderListModel::SetListing(engine::FolderListing listing) {
  beginResetModel();
  listing_ = std::move(listing);
  endResetModel();
}

int FolderListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : listing_.RowCount();
}

int FolderListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : engine::FolderListing::ColumnCount;
}

QVariant FolderListModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) return {};
  return listing_.Cell(index.row(), index.column());
}

Qt::ItemFlags FolderListModel::flags(const QModelIndex& index) const {
  const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
  return index.isValid() && listing_.Found() ? flags | Qt::ItemIsDragEnabled : flags;
}

QVariant FolderListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= engine::FolderListing::ColumnCount) return {};
  if (role == Qt::DisplayRole) return QString::fromLatin1(ListColumns[section].header);
  if (role == ColumnKeyRole) return QString::fromLatin1(ListColumns[section].key);
  return {};
}

}  // namespace tallyhold
