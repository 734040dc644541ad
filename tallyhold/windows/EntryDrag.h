#pragma once
// Archive entries dragged out to a file manager. The drag carries a
// text/uri-list of files that are extracted, through the engine's safe
// writer, into a private folder when the drop asks for them: every file
// manager on X11 and Wayland takes such a list, while the direct-save
// protocol is X11 only, needs the window system's own messages and is
// understood by few file managers. A drag that is never dropped extracts
// nothing. The window system may ask for the data after the drag has ended,
// so the drag holds its entries and its archive for as long as it lives, and
// what the extraction skipped is told when it happens.
#include <QMimeData>
#include <QStringList>
#include <QTreeView>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/platform/ArchiveSource.h"
#include "engine/archive/ClsTreeDir.h"

namespace tallyhold {

struct DraggedEntries {
  std::vector<std::shared_ptr<const engine::ClsTreeDir>> entries;
  std::shared_ptr<const platform::ArchiveSource> archive;
};

class EntryMimeData : public QMimeData {
  Q_OBJECT
 public:
  explicit EntryMimeData(DraggedEntries dragged);

  QStringList formats() const override;

  // After a drag that nobody took: its files, if any, go at once.
  void Discard() const;

 protected:
  QVariant retrieveData(const QString& mimeType, QMetaType type) const override;

 private:
  // Then, once events run, damaged entries and a failure are told as
  // Extract selected tells them.
  void extract() const;

  DraggedEntries dragged_;
  // Made at the first request, for every later one.
  mutable bool extracted_ = false;
  mutable std::string folderName_;  // this drag's folder inside the private folder
  mutable QVariantList urls_;
};

// Drags the entries from the source widget; returns when the drag has ended,
// having told what the drop could not take.
void DragEntries(QWidget& source, DraggedEntries dragged);

// A list whose selected rows leave as entries when dragged.
class EntryDragView : public QTreeView {
  Q_OBJECT
 public:
  using QTreeView::QTreeView;
  // The entries of the selected rows, asked when a drag starts.
  void SetDragSource(std::function<DraggedEntries()> source);

 protected:
  void startDrag(Qt::DropActions supportedActions) override;

 private:
  std::function<DraggedEntries()> source_;
};

}  // namespace tallyhold
