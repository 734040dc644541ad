#include "tallyhold/windows/DAT_Container.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QTreeView>
#include <QTreeWidget>

#include "common/platform/DoEvents.h"
#include "common/platform/FileNumbers.h"
#include "common/platform/Fonts.h"
#include "common/platform/Twips.h"
#include "tallyhold/archive/Globals.h"
#include "tallyhold/windows/DAT_Info.h"
#include "tallyhold/windows/FolderListModel.h"
#include "tallyhold/windows/ListFolder.h"
#include "tallyhold/windows/Main_Container.h"
#include "tallyhold/windows/PaneLayout.h"

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

}  // namespace

DAT_Container::DAT_Container(Main_Container& frame) : frame_(frame) {
  setObjectName(QStringLiteral("DAT_Container"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Untitled"));
  auto* content = new DesignedClient;
  buildTree(content);
  buildList(content);
  setWidget(content);
  connect(this, &QMdiSubWindow::windowStateChanged, this,
          [this](Qt::WindowStates before, Qt::WindowStates now) {
            if (now.testFlag(Qt::WindowActive) && !before.testFlag(Qt::WindowActive))
              RefreshActiveDAT();
          });
}

void DAT_Container::buildTree(QWidget* content) {
  FrameTreeView = captionlessFrame("FrameTreeView", content);
  FrameTreeView->setGeometry(TwipsRect(0, 0, 3555, 4815));
  TreeView = platform::Place(new QTreeWidget(FrameTreeView), "TreeView", {60, 180, 3255, 4275});
  TreeView->setFont(platform::DesignFont(QStringLiteral("Tahoma"), 8.25));
  TreeView->setHeaderHidden(true);
  TreeView->setColumnCount(1);
  TreeView->viewport()->installEventFilter(this);
  TreeView->installEventFilter(this);
  // Every change of the current node, by mouse (either button) or keys, lists
  // its folder at once and selects it, so that no command sees one node
  // selected and another folder listed. A click on the current node lists it again.
  connect(TreeView, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* node) {
    if (!node) return;
    TreeView->selectionModel()->select(TreeView->currentIndex(), QItemSelectionModel::ClearAndSelect);
    listNode(node);
  });
  connect(TreeView, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* node) { listNode(node); });
}

void DAT_Container::buildList(QWidget* content) {
  FrameListView = captionlessFrame("FrameListView", content);
  FrameListView->setGeometry(TwipsRect(3720, 0, 3675, 4875));
  ListView = platform::Place(new QTreeView(FrameListView), "ListView", {60, 150, 3375, 4515});
  ListView->setFont(platform::DesignFont(QStringLiteral("Tahoma"), 8.25));
  ListView->setRootIsDecorated(false);
  ListView->setItemsExpandable(false);
  ListView->setUniformRowHeights(true);
  ListView->setAllColumnsShowFocus(true);
  ListView->setSelectionMode(QAbstractItemView::ExtendedSelection);
  ListView->setSelectionBehavior(QAbstractItemView::SelectRows);
  ListView->setSortingEnabled(false);
  listModel_ = new FolderListModel(ListView);
  ListView->setModel(listModel_);
  QHeaderView* header = ListView->header();
  header->setStretchLastSection(false);
  header->setSectionsClickable(true);
  header->setSortIndicatorShown(false);
  header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  for (int column = 0; column < FolderListing::ColumnCount; ++column)
    header->resizeSection(column, platform::TwipsToPixelsX(ListColumns[column].widthTwips));
  connect(header, &QHeaderView::sectionClicked, this, [] { ActivePane = QStringLiteral("List"); });
  ListView->viewport()->installEventFilter(this);
  ListView->installEventFilter(this);
}

void DAT_Container::ClearPanes() {
  TreeView->clear();
  nodesByKey_.clear();
  ShowListing({});
}

void DAT_Container::AddNode(const TreeNode& node) {
  QTreeWidgetItem* parent = node.ParentKey.isEmpty() ? nullptr : nodesByKey_.value(node.ParentKey);
  auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(TreeView);
  item->setText(0, node.Text);
  item->setData(0, Qt::UserRole, node.Key);
  nodesByKey_.insert(node.Key, item);
}

void DAT_Container::ShowListing(FolderListing listing) {
  listModel_->SetListing(std::move(listing));
}

const FolderListing& DAT_Container::Listing() const { return listModel_->Listing(); }

void DAT_Container::RefreshActiveDAT() {
  if (!TreeViewTag.isEmpty()) {
    ActiveDAT.Index = QString::number(NumberOf(TreeViewTag));
    ActiveDAT.FileNumber = ActiveDAT.Index;
  }
  ActiveDAT.Caption = windowTitle();
  ActiveDAT.WindowIndex = Tag;
}

// The window whose node changes is the one the commands then work on.
void DAT_Container::listNode(QTreeWidgetItem* node) {
  ActivePane = QStringLiteral("Tree");
  RefreshActiveDAT();
  QByteArray path = FullPath(node);
  if (!path.endsWith('\\')) path += '\\';
  ListFolder(NumberOf(ActiveDAT.Index), NumberOf(ActiveDAT.WindowIndex), path);
}

void DAT_Container::closeEvent(QCloseEvent* event) {
  // The frame never closes its archive windows: closing it ends the program.
  releaseArchive();
  frame_.FollowActiveArchiveWindow(this);
  QMdiSubWindow::closeEvent(event);
}

void DAT_Container::SetRootListed() {
  const QSignalBlocker quiet(TreeView);
  TreeView->setCurrentItem(TreeView->topLevelItem(0));
}

// The window releases its own archive, which is the active one whenever the
// user closes it, and also when the scan's stop closes it.
void DAT_Container::releaseArchive() {
  platform::DoEvents();
  const int32_t number = NumberOf(TreeViewTag);
  if (const auto archive = DATFiles->Find(number)) {
    archive->SetColTrees(nullptr);
    DATFiles->Remove(number);
    platform::CloseFile(number);
  }
  frame_.Info().ClearValues();
}

void DAT_Container::resizeEvent(QResizeEvent* event) {
  QMdiSubWindow::resizeEvent(event);
  if (!isMinimized()) layOutPanes();
}

void DAT_Container::layOutPanes() {
  const PaneLayout layout =
      LayOutPanes(platform::PixelsToTwipsX(width()), platform::PixelsToTwipsY(height()));
  FrameTreeView->setGeometry(TwipsRect(layout.FrameTreeView));
  FrameListView->setGeometry(TwipsRect(layout.FrameListView));
  TreeView->setGeometry(TwipsRect(layout.TreeView));
  ListView->setGeometry(TwipsRect(layout.ListView));
}

// Keys and mouse releases of the panes; every event goes on unchanged. A key
// that a pane does not take travels on to this window, where it must not be
// handled a second time.
bool DAT_Container::eventFilter(QObject* watched, QEvent* event) {
  const bool pane = watched == TreeView || watched == ListView;
  if (pane && event->type() == QEvent::KeyPress) {
    handleKey(static_cast<QKeyEvent*>(event)->text());
    keySeenByPane_ = true;
  } else if (pane && event->type() == QEvent::KeyRelease) {
    keySeenByPane_ = false;
  } else if (event->type() == QEvent::MouseButtonRelease) {
    handleMouseRelease(watched, *static_cast<QMouseEvent*>(event));
  }
  return QMdiSubWindow::eventFilter(watched, event);
}

void DAT_Container::keyPressEvent(QKeyEvent* event) {
  if (!keySeenByPane_) handleKey(event->text());
  keySeenByPane_ = false;
  QMdiSubWindow::keyPressEvent(event);
}

// Only the lower-case letters count.
void DAT_Container::handleKey(const QString& text) {
  if (text == QLatin1String("r")) frame_.extractselected_Click();
  if (text == QLatin1String("s")) frame_.extractall_Click();
}

void DAT_Container::handleMouseRelease(QObject* watched, const QMouseEvent& event) {
  const bool overList = watched == ListView->viewport();
  const bool overTree = watched == TreeView->viewport();
  if (overList && event.button() == Qt::LeftButton) ActivePane = QStringLiteral("List");
  if (event.button() != Qt::RightButton || !(overList || overTree)) return;
  QMenu* popup = overList ? frame_.mnuListView : frame_.mnuTreeView;
  popup->popup(event.globalPosition().toPoint());
}

DAT_Container* WindowInSlot(int slot) {
  if (slot < 0 || static_cast<std::size_t>(slot) >= DATWindows.size()) return nullptr;
  return qobject_cast<DAT_Container*>(DATWindows[slot].data());
}

QByteArray FullPath(const QTreeWidgetItem* node) {
  QStringList texts;
  for (; node; node = node->parent()) texts.prepend(node->text(0));
  return texts.join(QLatin1Char('\\')).toLatin1();
}

}  // namespace tallyhold
