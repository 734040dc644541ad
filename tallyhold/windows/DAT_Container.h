#pragma once
// The archive window: the folder tree of one loaded archive on the left, the
// entries of the chosen folder on the right.
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMdiSubWindow>
#include <QString>
#include <QStringList>
#include <cstdint>

#include "engine/archive/FolderListing.h"
#include "engine/archive/FolderTree.h"

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
  // slot: the window's slot in the program state's DATWindows.
  DAT_Container(Main_Container& frame, int32_t slot);

  int32_t Slot() const { return slot_; }
  // The number of the archive shown, stored by the scan; 0 until then.
  int32_t ArchiveNumber() const { return archiveNumber_; }
  void SetArchiveNumber(int32_t number) { archiveNumber_ = number; }

  void ClearPanes();
  // Adds a node under the node with its ParentKey (at the top level when empty).
  void AddNode(const engine::TreeNode& node);
  // Fills the list pane with the entries of one folder of this window's
  // archive (path as in TreePath: "ART\CRITTERS\" or "\"), and tells the
  // count in the status line.
  void ListFolder(const QByteArray& folderPath);
  const engine::FolderListing& Listing() const;

  // What activation records: this window's caption, slot and archive number.
  void RefreshActiveDAT();
  // Selects the root node, whose folder the list already shows, without listing it again.
  void SetRootListed();

  // The full path of every node but the root, parents before their children
  // ("TEXT", "TEXT\ENGLISH", ...).
  QList<QByteArray> TreeFolders() const;
  // The folder key of the selected node: its full path with a trailing "\"
  // ("\" alone for the root node); empty when no node is selected.
  QByteArray SelectedFolderKey() const;
  // The names of the selected rows of the list pane, in list order.
  QStringList SelectedNames() const;

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
  const int32_t slot_;
  int32_t archiveNumber_ = 0;
  QFrame* treeFrame_;
  QFrame* listFrame_;
  QTreeWidget* tree_;  // node keys are held as item data (Qt::UserRole)
  QTreeView* list_;
  FolderListModel* listModel_;
  QHash<QString, QTreeWidgetItem*> nodesByKey_;
  bool keySeenByPane_ = false;
};

}  // namespace tallyhold
