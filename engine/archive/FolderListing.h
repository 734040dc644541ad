#pragma once
// The rows of the list pane for one folder: name, name length, offset, sizes
// and compression flag of every entry, formatted when a row is shown, so that
// listing a large folder costs no more than the rows on screen.
#include <QByteArray>
#include <QString>
#include <memory>

#include "engine/archive/ColTrees.h"

namespace engine {

class FolderListing {
 public:
  static constexpr int ColumnCount = 6;

  // Nothing listed yet: no rows at all.
  FolderListing() = default;

  // The folder whose TreePath equals the path without regard to letter case;
  // a path that names no folder lists the single row "Empty folder".
  static FolderListing Of(const ColTrees& trees, const QByteArray& path);

  bool Found() const { return folder_ != nullptr; }
  // The folder path listed; empty when nothing is listed.
  const QByteArray& Path() const { return path_; }
  int RowCount() const;
  QString Cell(int row, int column) const;
  // The status line after the listing.
  QString StatusText() const;

 private:
  bool listed_ = false;
  QByteArray path_;
  std::shared_ptr<const ColSubTree> folder_;
};

}  // namespace engine
