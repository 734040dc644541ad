#include "tallyhold/windows/DAT_Container.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QTreeView>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <algorithm>

#include "common/platform/DialogService.h"
#include "common/platform/FileNumbers.h"
#include "common/platform/Fonts.h"
#include "common/platform/MousePointer.h"
#include "common/platform/Twips.h"
#include "engine/archive/AllFolderNodes.h"
#include "engine/archive/CommonFunctions.h"
#include "tallyhold/windows/AppInfo.h"
#include "tallyhold/windows/EntryDrag.h"
#include "tallyhold/windows/FolderListModel.h"
#include "tallyhold/windows/PaneLayout.h"
#include "tallyhold/windows/frmPreview.h"

namespace tallyhold {
namespace {

using platform::TwipsRect;

// The client area the window was designed with; the panes are laid out by code.
class DesignedClient : public QWidget {
 public:
  QSize sizeHint() const override { return platform::TwipsSize(7335, 6555); }
};

QFrame* captionlessFrame(const char* name, QWidget* parent) {
  auto* frame = new QFrame(parent);
  frame->setObjectName(QLatin1String(name));
  frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
  return frame;
}

// A node's texts from the top level down, joined with "\".
QByteArray fullPath(const QTreeWidgetItem* node) {
  QStringList texts;
  for (; node; node = node->parent()) texts.prepend(node->text(0));
  return texts.join(QLatin1Char('\\')).toLatin1();
}

// The folder a node lists: the key of a node of All folders is its folder
// path, as no scan node's key ends with "\"; a scan node's folder is its full
// path with a trailing "\".
QByteArray folderOf(const QTreeWidgetItem* node) {
  const QString key = node->data(0, Qt::UserRole).toString();
  if (key.endsWith(QLatin1Char('\\'))) return key.toLatin1();
  QByteArray path = fullPath(node);
  if (!path.endsWith('\\')) path += '\\';
  return path;
}

}  // namespace

DAT_Container::DAT_Container(int32_t slot, QMenu& listPopup, QMenu& treePopup)
    : slot_(slot), listPopup_(listPopup), treePopup_(treePopup) {
  setObjectName(QStringLiteral("DAT_Container"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Untitled"));
  auto* content = new DesignedClient;
  buildTree(content);
  buildList(content);
  setWidget(content);
}

void DAT_Container::buildTree(QWidget* content) {
  treeFrame_ = captionlessFrame("FrameTreeView", content);
  treeFrame_->setGeometry(TwipsRect(0, 0, 3555, 4815));
  tree_ = platform::Place(new QTreeWidget(treeFrame_), "TreeView", {60, 180, 3255, 4275});
  tree_->setFont(platform::DesignFont(QStringLiteral("Tahoma"), 8.25));
  tree_->setHeaderHidden(true);
  // The panes have no caption to take a name from.
  tree_->setAccessibleName(QStringLiteral("Folders"));
  tree_->setColumnCount(1);
  tree_->viewport()->installEventFilter(this);
  tree_->installEventFilter(this);
  // Every change of the current node, by mouse (either button) or keys, lists
  // its folder at once and selects it, so that no command sees one node
  // selected and another folder listed. A click on the current node lists it again.
  connect(tree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* node) {
    if (!node) return;
    tree_->selectionModel()->select(tree_->currentIndex(), QItemSelectionModel::ClearAndSelect);
    listNode(node);
  });
  connect(tree_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* node) { listNode(node); });
}

void DAT_Container::buildList(QWidget* content) {
  listFrame_ = captionlessFrame("FrameListView", content);
  listFrame_->setGeometry(TwipsRect(3720, 0, 3675, 4875));
  list_ = platform::Place(new EntryDragView(listFrame_), "ListView", {60, 150, 3375, 4515});
  list_->setFont(platform::DesignFont(QStringLiteral("Tahoma"), 8.25));
  list_->setAccessibleName(QStringLiteral("Entries"));
  list_->setRootIsDecorated(false);
  list_->setItemsExpandable(false);
  list_->setUniformRowHeights(true);
  list_->setAllColumnsShowFocus(true);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSortingEnabled(false);
  listModel_ = new FolderListModel(list_);
  list_->setModel(listModel_);
  QHeaderView* header = list_->header();
  header->setStretchLastSection(false);
  header->setSectionsClickable(true);
  header->setSortIndicatorShown(false);
  header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  for (int column = 0; column < engine::FolderListing::ColumnCount; ++column)
    header->resizeSection(column, platform::TwipsToPixelsX(ListColumns[column].widthTwips));
  connect(header, &QHeaderView::sectionClicked, this, [this] { choosePane(Pane::List); });
  // Rows chosen by keys or Select all count as much as a click; a new listing
  // clears the selection and chooses nothing.
  connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this](const QItemSelection& selected) {
            if (!selected.isEmpty()) choosePane(Pane::List);
          });
  list_->viewport()->installEventFilter(this);
  list_->installEventFilter(this);
  list_->SetDragSource([this] { return DraggedEntries{SelectedEntries(), platform::SourceOf(ArchiveNumber())}; });
  // Double-click or Enter on an entry, as the style activates items.
  connect(list_, &QAbstractItemView::activated, this, [this](const QModelIndex& row) { previewEntry(row.row()); });
}

void DAT_Container::ClearPanes() {
  tree_->clear();
  nodesByKey_.clear();
  scanNodes_.clear();
  scanned_ = false;
  listModel_->SetListing({});
}

void DAT_Container::AddNode(const engine::TreeNode& node) {
  scanNodes_.push_back(node);
  QTreeWidgetItem* item = newItem(node);
  if (!item->parent()) tree_->addTopLevelItem(item);
}

// Made under its parent node; a top-level node is not yet in the tree.
QTreeWidgetItem* DAT_Container::newItem(const engine::TreeNode& node) {
  QTreeWidgetItem* parent = node.ParentKey.isEmpty() ? nullptr : nodesByKey_.value(node.ParentKey);
  auto* item = new QTreeWidgetItem(parent);
  item->setText(0, node.Text);
  item->setData(0, Qt::UserRole, node.Key);
  nodesByKey_.insert(node.Key, item);
  return item;
}

void DAT_Container::ShowAllFolders(bool on) {
  if (on == allFolders_) return;
  allFolders_ = on;
  if (!scanned_) return;
  const QByteArray current = SelectedFolderKey();
  fillTree();
  if (QTreeWidgetItem* node = nodeOfFolder(current)) {
    selectQuietly(node);
    return;
  }
  ListFolder(QByteArrayLiteral("\\"));
  selectQuietly(tree_->topLevelItem(0));
}

// In one batch: every node is made below its parent before the tree holds any
// of them. The root, the scan's first node, heads both trees. An archive with
// too many folders keeps the scan's tree, and the user is told.
void DAT_Container::fillTree() {
  std::optional<std::vector<engine::TreeNode>> all;
  if (allFolders_) {
    all = engine::AllFolderNodes(archive_->ColTrees());
    if (all)
      all->insert(all->begin(), scanNodes_.front());
    else
      tellTooManyFolders();
  }
  const QSignalBlocker quiet(tree_);
  tree_->clear();
  nodesByKey_.clear();
  const std::vector<engine::TreeNode>& nodes = all ? *all : scanNodes_;
  nodesByKey_.reserve(static_cast<qsizetype>(nodes.size()));
  QList<QTreeWidgetItem*> topLevel;
  for (const engine::TreeNode& node : nodes) {
    QTreeWidgetItem* item = newItem(node);
    if (!item->parent()) topLevel << item;
  }
  tree_->addTopLevelItems(topLevel);
}

void DAT_Container::tellTooManyFolders() const {
  platform::Dialogs().message(QStringLiteral(
                                  "%1 has more than %2 folders, too many to show them all; its tree keeps the "
                                  "first three levels.")
                                  .arg(windowTitle(), QString::number(engine::MaxAllFolderNodes)),
                              AppTitle(), platform::MsgIcon::Exclamation, platform::MsgButtons::Ok);
}

// The first node that lists the folder, letter case not counting.
QTreeWidgetItem* DAT_Container::nodeOfFolder(const QByteArray& folderKey) const {
  if (folderKey.isEmpty()) return nullptr;
  const QString wanted = engine::FoldedName(folderKey);
  for (QTreeWidgetItemIterator it(tree_); *it; ++it)
    if (engine::FoldedName(folderOf(*it)) == wanted) return *it;
  return nullptr;
}

// The "Empty folder" row stands for no entry.
void DAT_Container::previewEntry(int row) {
  const std::shared_ptr<engine::ColSubTree> folder =
      Listing().Found() ? archive_->ColTrees().Find(QString::fromLatin1(Listing().Path())) : nullptr;
  const std::shared_ptr<const platform::ArchiveSource> source = platform::SourceOf(archive_->Index);
  if (!folder || !source || row < 0 || row >= folder->Count()) return;
  frmPreview::Open(*folder->Item(row + 1), *source, window());
}

void DAT_Container::ListFolder(const QByteArray& folderPath) {
  listModel_->SetListing({});
  platform::SetWidgetPointer(list_, platform::MousePointer::Hourglass);
  list_->repaint();
  emit StatusText(QStringLiteral("Listing entries..."));
  engine::FolderListing listing = engine::FolderListing::Of(archive_->ColTrees(), folderPath);
  const QString status = listing.StatusText();
  listModel_->SetListing(std::move(listing));
  platform::SetWidgetPointer(list_, platform::MousePointer::Arrow);
  emit StatusText(status);
}

const engine::FolderListing& DAT_Container::Listing() const { return listModel_->Listing(); }

// The window whose node changes is the one the commands then work on.
void DAT_Container::listNode(QTreeWidgetItem* node) {
  choosePane(Pane::Tree);
  emit Activated();
  ListFolder(folderOf(node));
}

QByteArray DAT_Container::SelectedFolderKey() const {
  const QList<QTreeWidgetItem*> selected = tree_->selectedItems();
  return selected.isEmpty() ? QByteArray() : folderOf(selected.first());
}

QStringList DAT_Container::SelectedNames() const {
  QModelIndexList rows = list_->selectionModel()->selectedRows();
  std::sort(rows.begin(), rows.end());
  QStringList names;
  for (const QModelIndex& row : rows) names << Listing().Cell(row.row(), 0);
  return names;
}

std::vector<std::shared_ptr<const engine::ClsTreeDir>> DAT_Container::SelectedEntries() const {
  std::vector<std::shared_ptr<const engine::ClsTreeDir>> entries;
  if (!archive_ || !Listing().Found()) return entries;
  const auto folder = archive_->ColTrees().Find(QString::fromLatin1(Listing().Path()));
  if (!folder) return entries;
  QModelIndexList rows = list_->selectionModel()->selectedRows();
  std::sort(rows.begin(), rows.end());
  for (const QModelIndex& row : rows)
    if (row.row() < folder->Count()) entries.push_back(folder->Item(row.row() + 1));
  return entries;
}

bool DAT_Container::ShowEntry(const QByteArray& name) {
  QTreeWidgetItem* node = nodeOfFolder(engine::GetFolderPath(name));
  if (!node) return false;
  tree_->scrollToItem(node);
  if (tree_->currentItem() == node)
    listNode(node);
  else
    tree_->setCurrentItem(node);
  const QString file = QString::fromLatin1(engine::GetFileName(name));
  for (int row = 0; row < Listing().RowCount(); ++row) {
    if (Listing().Cell(row, 0) != file) continue;
    const QModelIndex index = listModel_->index(row, 0);
    list_->selectionModel()->setCurrentIndex(index,
                                             QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    list_->scrollTo(index);
    break;
  }
  list_->setFocus();
  return true;
}

void DAT_Container::ShowFolder(const QByteArray& folderKey) {
  QTreeWidgetItem* node = nodeOfFolder(folderKey);
  if (!node || tree_->currentItem() == node) return;
  tree_->scrollToItem(node);
  tree_->setCurrentItem(node);
}

void DAT_Container::closeEvent(QCloseEvent* event) {
  // The frame never closes its archive windows: closing it ends the program.
  emit Closing();
  QMdiSubWindow::closeEvent(event);
}

void DAT_Container::SetRootListed() {
  scanned_ = true;
  if (allFolders_) fillTree();
  selectQuietly(tree_->topLevelItem(0));
}

// The list already shows the node's folder: nothing is listed again.
void DAT_Container::selectQuietly(QTreeWidgetItem* node) {
  const QSignalBlocker quiet(tree_);
  tree_->setCurrentItem(node);
}

void DAT_Container::resizeEvent(QResizeEvent* event) {
  QMdiSubWindow::resizeEvent(event);
  if (!isMinimized()) layOutPanes();
}

void DAT_Container::layOutPanes() {
  const PaneLayout layout = LayOutPanes(platform::PixelsToTwipsX(width()), platform::PixelsToTwipsY(height()));
  treeFrame_->setGeometry(TwipsRect(layout.FrameTreeView));
  listFrame_->setGeometry(TwipsRect(layout.FrameListView));
  tree_->setGeometry(TwipsRect(layout.TreeView));
  list_->setGeometry(TwipsRect(layout.ListView));
}

void DAT_Container::choosePane(Pane pane) {
  lastPane_ = pane;
  emit PaneChosen(pane);
}

// Keys and mouse releases of the panes; every event but the popup keys goes
// on unchanged. A key typed in a pane is the pane's (type-ahead) and, should
// the pane not take it, travels on to this window, which must not act on it.
bool DAT_Container::eventFilter(QObject* watched, QEvent* event) {
  const bool pane = watched == tree_ || watched == list_;
  if (pane && event->type() == QEvent::KeyPress) {
    if (opensPopup(*static_cast<QKeyEvent*>(event))) {
      showPopupByKeys(watched == list_ ? Pane::List : Pane::Tree);
      event->accept();
      return true;
    }
    if (watched == list_ && deletesRows(*static_cast<QKeyEvent*>(event))) {
      event->accept();
      emit Activated();
      emit DeleteRequested();
      return true;
    }
    keySeenByPane_ = true;
  } else if (pane && event->type() == QEvent::KeyRelease) {
    keySeenByPane_ = false;
  } else if (event->type() == QEvent::MouseButtonRelease) {
    handleMouseRelease(watched, *static_cast<QMouseEvent*>(event));
  }
  return QMdiSubWindow::eventFilter(watched, event);
}

void DAT_Container::keyPressEvent(QKeyEvent* event) {
  const bool own = !keySeenByPane_;
  keySeenByPane_ = false;
  if (own && opensPopup(*event)) {
    showPopupByKeys(lastPane_ == Pane::List ? Pane::List : Pane::Tree);
    return;
  }
  if (own) handleKey(event->text());
  QMdiSubWindow::keyPressEvent(event);
}

bool DAT_Container::opensPopup(const QKeyEvent& event) {
  return event.key() == Qt::Key_Menu || (event.key() == Qt::Key_F10 && event.modifiers() == Qt::ShiftModifier);
}

// Delete alone, from the main keys or the keypad; with no row selected the
// key is the list's own.
bool DAT_Container::deletesRows(const QKeyEvent& event) const {
  return event.key() == Qt::Key_Delete && (event.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
         list_->selectionModel()->hasSelection();
}

// At the pane's current row or node, as a right click there would.
void DAT_Container::showPopupByKeys(Pane pane) {
  QAbstractItemView* view = pane == Pane::List ? static_cast<QAbstractItemView*>(list_) : tree_;
  const QRect current = view->visualRect(view->currentIndex());
  const QPoint at = current.isValid() ? current.center() : QPoint(0, 0);
  (pane == Pane::List ? listPopup_ : treePopup_).popup(view->viewport()->mapToGlobal(at));
}

// Only the lower-case letters count.
void DAT_Container::handleKey(const QString& text) {
  if (text == QLatin1String("r")) emit ExtractSelectedRequested();
  if (text == QLatin1String("s")) emit ExtractAllRequested();
}

void DAT_Container::handleMouseRelease(QObject* watched, const QMouseEvent& event) {
  const bool overList = watched == list_->viewport();
  const bool overTree = watched == tree_->viewport();
  if (overList && event.button() == Qt::LeftButton) choosePane(Pane::List);
  if (event.button() != Qt::RightButton || !(overList || overTree)) return;
  QMenu& popup = overList ? listPopup_ : treePopup_;
  popup.popup(event.globalPosition().toPoint());
}

}  // namespace tallyhold
