#pragma once
// The list pane's rows: a table over one folder listing, so that a folder of
// many thousand entries is shown without building an item per cell.
#include <QAbstractTableModel>

#include "engine/archive/FolderListing.h"

namespace tallyhold {

struct ListColumn {
  const char* key;     // the column's identifier
  const char* header;  // its header text
  int widthTwips;
};

inline constexpr ListColumn ListColumns[engine::FolderListing::ColumnCount] = {
    {"filename", "Filename", 1240}, {"filenamesize", "FilenameSize", 1140}, {"location", "Offset", 1440},
    {"realsize", "RealSize", 1440}, {"packedsize", "packedSize", 1440},     {"compression", "Compression", 1440}};

class FolderListModel : public QAbstractTableModel {
 public:
  // headerData gives a column's key under this role.
  static constexpr int ColumnKeyRole = Qt::UserRole;

  using QAbstractTableModel::QAbstractTableModel;

  void SetListing(engine::FolderListing listing);
  const engine::FolderListing& Listing() const { return listing_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  // The rows of entries may be dragged out; "Empty folder" may not.
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

 private:
  engine::FolderListing listing_;
};

}  // namespace tallyhold
