#pragma once
// The archive window: the folder tree of one loaded archive on the left, the
// entries of the chosen folder on the right.
#include <QHash>
#include <QMdiSubWindow>
#include <QString>

#include "tallyhold/archive/FolderListing.h"
#include "tallyhold/archive/FolderTree.h"

class QFrame;
class QTreeView;
class QTreeWidget;
class QTreeWidgetItem;

namespace tallyhold {

class FolderListModel;
class Main_Container;

class DAT_Container : public QMdiSubWindow {
  Q_OBJECT
 public:
  explicit DAT_Container(Main_Container& frame);

  QString Tag;          // the window's slot in DATWindows
  QString TreeViewTag;  // the archive number, stored by the scan

  QFrame* FrameTreeView;
  QFrame* FrameListView;
  QTreeWidget* TreeView;  // node keys are held as item data (Qt::UserRole)
  QTreeView* ListView;

  Main_Container& Frame() const { return frame_; }

  void ClearPanes();
  // Adds a node under the node with its ParentKey (at the top level when empty).
  void AddNode(const TreeNode& node);
  void ShowListing(FolderListing listing);
  const FolderListing& Listing() const;

  // What activation records: this window's caption, slot and archive number.
  void RefreshActiveDAT();
  // Selects the root node, whose folder the list already shows, without listing it again.
  void SetRootListed();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void buildTree(QWidget* content);
  void buildList(QWidget* content);
  void layOutPanes();
  void listNode(QTreeWidgetItem* node);
  void releaseArchive();
  void handleKey(const QString& text);
  void handleMouseRelease(QObject* watched, const QMouseEvent& event);

  Main_Container& frame_;
  FolderListModel* listModel_;
  QHash<QString, QTreeWidgetItem*> nodesByKey_;
  bool keySeenByPane_ = false;
};

// The archive window in a slot of DATWindows; null when the slot has none.
DAT_Container* WindowInSlot(int slot);

// A node's texts from the top level down, joined with "\".
QByteArray FullPath(const QTreeWidgetItem* node);

}  // namespace tallyhold
