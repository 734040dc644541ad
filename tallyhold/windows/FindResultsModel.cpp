#include "tallyhold/windows/FindResultsModel.h"

namespace tallyhold {
namespace {

// The sizes and the flag as the archive window's list shows them.
QString cell(const engine::ClsTreeDir& entry, int column) {
  switch (column) {
    case 0:
      return QString::fromLatin1(entry.Filename);
    case 1:
      return QString::number(entry.RealSize);
    case 2:
      return QString::number(entry.PackedSize);
    case 3:
      return entry.IsCompressed() ? QStringLiteral("True") : QStringLiteral("False");
    default:
      return {};
  }
}

constexpr const char* Headers[FindResultsModel::ColumnCount] = {"Name", "RealSize", "packedSize", "Compression"};

}  // namespace

void FindResultsModel::SetResults(engine::SearchResults results) {
  beginResetModel();
  results_ = std::move(results);
  endResetModel();
}

int FindResultsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(results_.Entries.size());
}

int FindResultsModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant FindResultsModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount()) return {};
  return cell(EntryAt(index.row()), index.column());
}

QVariant FindResultsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount) return {};
  return QString::fromLatin1(Headers[section]);
}

}  // namespace tallyhold
