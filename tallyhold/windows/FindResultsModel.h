#pragma once
// The result list of the Find window: a table over one search's entries, each
// row formatted only when it is shown, so that a million results cost no more
// than the rows on screen.
#include <QAbstractTableModel>

#include "engine/archive/EntrySearch.h"

namespace tallyhold {

class FindResultsModel : public QAbstractTableModel {
 public:
  static constexpr int ColumnCount = 4;  // full name, RealSize, packedSize, Compression

  using QAbstractTableModel::QAbstractTableModel;

  void SetResults(engine::SearchResults results);
  const engine::SearchResults& Results() const { return results_; }
  const engine::ClsTreeDir& EntryAt(int row) const { return *results_.Entries.at(static_cast<std::size_t>(row)); }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

 private:
  engine::SearchResults results_;
};

}  // namespace tallyhold
