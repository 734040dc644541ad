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
#include <memory>
#include <vector>

#include "engine/archive/ClsDatFile.h"
#include "engine/archive/FolderListing.h"
#include "engine/archive/FolderTree.h"
#include "tallyhold/windows/Pane.h"

class QFrame;
class QMenu;
class QTreeView;
class QTreeWidget;
class QTreeWidgetItem;

namespace tallyhold {

class EntryDragView;
class FolderListModel;

// It tells what happens in it through its signals and knows nothing of the
// program around it: whoever holds the window acts on them.
class DAT_Container : public QMdiSubWindow {
  Q_OBJECT
 public:
  // slot: the window's slot in the program state's DATWindows; the popups are
  // shown by a right-button release over the list pane or the tree pane.
  DAT_Container(int32_t slot, QMenu& listPopup, QMenu& treePopup);

  int32_t Slot() const { return slot_; }
  // The number of the archive shown, stored by the scan; 0 until then.
  int32_t ArchiveNumber() const { return archive_ ? archive_->Index : 0; }
  void SetArchive(std::shared_ptr<engine::ClsDatFile> archive) { archive_ = std::move(archive); }

  void ClearPanes();
  // Adds a node under the node with its ParentKey (at the top level when empty).
  // The window keeps the nodes of the scan, to show them again after All folders.
  void AddNode(const engine::TreeNode& node);
  // Every folder of the archive in the tree (on) or the scan's nodes (off).
  // The current folder stays current where it still has a node; else the
  // root's folder is listed. Before the scan has ended it only sets the choice.
  void ShowAllFolders(bool on);
  // Fills the list pane with the entries of one folder of this window's
  // archive (path as in TreePath: "ART\CRITTERS\" or "\"), and tells the
  // count in the status line.
  void ListFolder(const QByteArray& folderPath);
  const engine::FolderListing& Listing() const;

  // Selects the root node, whose folder the list already shows, without listing
  // it again: the scan has ended.
  void SetRootListed();

  // The folder key of the selected node: its full path with a trailing "\"
  // ("\" alone for the root node); empty when no node is selected.
  QByteArray SelectedFolderKey() const;
  // The names of the selected rows of the list pane, in list order.
  QStringList SelectedNames() const;
  // The entries of those rows, in list order.
  std::vector<std::shared_ptr<const engine::ClsTreeDir>> SelectedEntries() const;
  // Lists the folder of the entry (its full name) through its tree node and
  // selects the entry in the list, which becomes the active pane; false when
  // the folder has no node.
  bool ShowEntry(const QByteArray& name);
  // Lists the folder (a key as SelectedFolderKey gives) through its tree
  // node, when it has one.
  void ShowFolder(const QByteArray& folderKey);

 signals:
  // The window is the one the commands work on from now.
  void Activated();
  void PaneChosen(tallyhold::Pane pane);
  // The "r" and "s" keys, typed while the window itself has the focus.
  void ExtractSelectedRequested();
  void ExtractAllRequested();
  // The Delete key, typed in the list pane while rows are selected.
  void DeleteRequested();
  void StatusText(const QString& text);
  // The window is about to close; its archive is still there to release.
  void Closing();

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
  void choosePane(Pane pane);
  void previewEntry(int row);
  QTreeWidgetItem* newItem(const engine::TreeNode& node);
  void fillTree();
  void tellTooManyFolders() const;
  QTreeWidgetItem* nodeOfFolder(const QByteArray& folderKey) const;
  void selectQuietly(QTreeWidgetItem* node);
  void handleKey(const QString& text);
  // Shift+F10 and the Menu key: the pane's popup, as the right button gives it.
  static bool opensPopup(const QKeyEvent& event);
  bool deletesRows(const QKeyEvent& event) const;
  void showPopupByKeys(Pane pane);
  void handleMouseRelease(QObject* watched, const QMouseEvent& event);

  const int32_t slot_;
  QMenu& listPopup_;
  QMenu& treePopup_;
  std::shared_ptr<engine::ClsDatFile> archive_;
  QFrame* treeFrame_;
  QFrame* listFrame_;
  QTreeWidget* tree_;    // node keys are held as item data (Qt::UserRole)
  EntryDragView* list_;  // its selected rows may be dragged out as files
  FolderListModel* listModel_;
  QHash<QString, QTreeWidgetItem*> nodesByKey_;
  std::vector<engine::TreeNode> scanNodes_;
  bool allFolders_ = false;
  bool scanned_ = false;
  bool keySeenByPane_ = false;
  Pane lastPane_ = Pane::None;  // whose popup the window's own popup keys open
};

}  // namespace tallyhold
