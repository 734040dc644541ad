#include "tallyhold/windows/Main_Container.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QStatusBar>

#include "common/platform/DoEvents.h"
#include "common/platform/EndProgram.h"
#include "common/platform/FileNumbers.h"
#include "common/platform/Twips.h"
#include "tallyhold/windows/DAT_Container.h"
#include "tallyhold/windows/DAT_Info.h"
#include "tallyhold/windows/DragFolder.h"
#include "tallyhold/windows/OpenFromDesktop.h"
#include "tallyhold/windows/WindowMenu.h"
#include "tallyhold/windows/frmAbout.h"

namespace tallyhold {
namespace {

QAction* addItem(QMenu* menu, const char* name, const char* caption, const QKeySequence& shortcut = {}) {
  QAction* item = menu->addAction(QLatin1String(caption));
  item->setObjectName(QLatin1String(name));
  item->setShortcut(shortcut);
  return item;
}

QMenu* addMenu(QWidget* owner, const char* name, const char* caption) {
  auto* menu = new QMenu(QLatin1String(caption), owner);
  menu->setObjectName(QLatin1String(name));
  menu->menuAction()->setObjectName(QLatin1String(name));
  return menu;
}

// The area's active archive window, else the one active last (the information
// window or no window at all may be active).
const DAT_Container* activeArchiveWindow(const QMdiArea& area, const DAT_Container* leaving) {
  const auto* active = qobject_cast<const DAT_Container*>(area.activeSubWindow());
  if (active && active != leaving) return active;
  const QList<QMdiSubWindow*> history = area.subWindowList(QMdiArea::ActivationHistoryOrder);
  for (auto it = history.rbegin(); it != history.rend(); ++it) {
    const auto* window = qobject_cast<const DAT_Container*>(*it);
    if (window && window != leaving) return window;
  }
  return nullptr;
}

}  // namespace

Main_Container::Main_Container() {
  setObjectName(QStringLiteral("Main_Container"));
  setWindowTitle(QStringLiteral("Tallyhold! v1.1"));
  mdiArea_ = new QMdiArea(this);
  mdiArea_->setObjectName(QStringLiteral("MDIClient"));
  mdiArea_->setBackground(palette().brush(QPalette::Dark));
  setCentralWidget(mdiArea_);
  connect(mdiArea_, &QMdiArea::subWindowActivated, this, [this] { RefreshActiveDAT(); });
  buildMenus();
  buildPopups();
  buildStatusBar();
  const QSize client = platform::TwipsSize(9135, 6615);
  resize(client.width(), client.height() + menuBar()->sizeHint().height());
  Info().show();
  PlaceInfoWindow();
  AcceptArchiveDrops(*this);
}

// The archive windows hold the frame's popups: they go first, and the area's
// activations while they go no longer concern the frame.
Main_Container::~Main_Container() {
  mdiArea_->disconnect(this);
  delete mdiArea_;
}

void Main_Container::buildMenus() {
  QMenu* file = addMenu(this, "menuitem001", "&File");
  connect(addItem(file, "mnuOpenDAT", "Open DAT...", QKeySequence(Qt::CTRL | Qt::Key_O)), &QAction::triggered,
          this, [this] { openArchive(); });
  file->addSeparator()->setObjectName(QStringLiteral("sep98"));
  connect(addItem(file, "exit", "E&xit"), &QAction::triggered, this, [this] { close(); });
  menuBar()->addMenu(file);

  QMenu* view = addMenu(this, "menuitem9032", "&View");
  showInfoItem_ = addItem(view, "mnuShowDAT", "Show DAT Information");
  showInfoItem_->setCheckable(true);
  showInfoItem_->setChecked(true);
  connect(showInfoItem_, &QAction::triggered, this, [this](bool now) { toggleInfoWindow(now); });
  allFoldersItem_ = addItem(view, "mnuAllFolders", "All folders");
  allFoldersItem_->setCheckable(true);
  connect(allFoldersItem_, &QAction::toggled, this, [this](bool on) { showAllFolders(on); });
  menuBar()->addMenu(view);

  QMenu* tools = addMenu(this, "menuitem002", "&Tools");
  extractSelectedItem_ = addItem(tools, "extractselected", "Extract selected files or directories...",
                                 QKeySequence(Qt::Key_F3));
  extractAllItem_ = addItem(tools, "extractall", "Extract entire DAT...", QKeySequence(Qt::Key_F4));
  extractSelectedItem_->setEnabled(false);
  extractAllItem_->setEnabled(false);
  connect(extractSelectedItem_, &QAction::triggered, this, [this] { ExtractSelected(); });
  connect(extractAllItem_, &QAction::triggered, this, [this] { ExtractAll(); });
  connect(addItem(tools, "mnuTestDAT", "Test DAT"), &QAction::triggered, this, [this] { TestDAT(); });
  connect(addItem(tools, "mnuFind", "Find entries...", QKeySequence(Qt::CTRL | Qt::Key_F)), &QAction::triggered,
          this, [this] { ShowFind(); });
  tools->addSeparator()->setObjectName(QStringLiteral("sepChange"));
  connect(addItem(tools, "mnuDelete", "Delete"), &QAction::triggered, this, [this] { DeleteSelected(); });
  connect(addItem(tools, "mnuAddFiles", "Add files..."), &QAction::triggered, this, [this] { AddFiles(); });
  connect(addItem(tools, "mnuNewDAT", "New DAT from folder..."), &QAction::triggered, this,
          [this] { NewDATFromFolder(); });
  menuBar()->addMenu(tools);

  menuBar()->addMenu(new WindowMenu(
      *mdiArea_, [this] { return state_.WindowInSlot(state_.ActiveDAT.WindowIndex); }, this));

  QAction* about = menuBar()->addAction(QStringLiteral("&About"));
  about->setObjectName(QStringLiteral("menuitem8932"));
  connect(about, &QAction::triggered, this, [this] { showAbout(); });
}

void Main_Container::buildPopups() {
  listPopup_ = addMenu(this, "mnuListView", "ContextListView");
  connect(addItem(listPopup_, "mnuconExtractListView", "Extract..."), &QAction::triggered, this,
          [this] { ExtractSelected(); });
  connect(addItem(listPopup_, "mnuconExtractListEntireDAT", "Extract entire DAT..."), &QAction::triggered, this,
          [this] { ExtractAll(); });
  connect(addItem(listPopup_, "mnuconDeleteListView", "Delete"), &QAction::triggered, this,
          [this] { DeleteSelected(); });
  treePopup_ = addMenu(this, "mnuTreeView", "ContextTreeView");
  connect(addItem(treePopup_, "mnuconExtractTreeView", "Extract..."), &QAction::triggered, this,
          [this] { ExtractSelected(); });
  connect(addItem(treePopup_, "mnuconExtractTreeEntireDAT", "Extract entire DAT..."), &QAction::triggered, this,
          [this] { ExtractAll(); });
}

void Main_Container::buildStatusBar() {
  statusBar()->setObjectName(QStringLiteral("StatusBar"));
  statusBar()->setFixedHeight(platform::TwipsToPixelsY(315));
  statusBar()->setSizeGripEnabled(false);
  statusPanel_ = new QLabel(QStringLiteral("Nothing to do."));
  statusPanel_->setObjectName(QStringLiteral("Panel1"));
  statusPanel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  statusPanel_->setMinimumWidth(platform::TwipsToPixelsX(3440));
  statusBar()->addWidget(statusPanel_);
}

void Main_Container::SetStatus(const QString& text) { statusPanel_->setText(text); }

void Main_Container::EnableExtraction(bool flag) {
  SetStatus(QStringLiteral("Nothing to do."));
  extractSelectedItem_->setEnabled(flag);
  extractAllItem_->setEnabled(flag);
}

void Main_Container::RefreshActiveDAT(const DAT_Container* leaving) {
  const DAT_Container* window = activeArchiveWindow(*mdiArea_, leaving);
  if (!window) {
    state_.ActiveDAT = {};
    return;
  }
  state_.ActiveDAT = {window->windowTitle(), window->ArchiveNumber(), window->Slot(), window->ArchiveNumber()};
}

void Main_Container::showAllFolders(bool on) {
  for (const QPointer<DAT_Container>& window : state_.DATWindows)
    if (window) window->ShowAllFolders(on);
}

// A new window's tree follows the View menu's choice once its scan has ended.
void Main_Container::follow(DAT_Container& window) {
  window.ShowAllFolders(allFoldersItem_->isChecked());
  connect(&window, &DAT_Container::Activated, this, [this, &window] {
    mdiArea_->setActiveSubWindow(&window);
    RefreshActiveDAT();
  });
  connect(&window, &DAT_Container::PaneChosen, this, [this](Pane pane) { state_.ActivePane = pane; });
  connect(&window, &DAT_Container::ExtractSelectedRequested, this, &Main_Container::ExtractSelected);
  connect(&window, &DAT_Container::ExtractAllRequested, this, &Main_Container::ExtractAll);
  connect(&window, &DAT_Container::DeleteRequested, this, &Main_Container::DeleteSelected);
  connect(&window, &DAT_Container::StatusText, this, &Main_Container::SetStatus);
  connect(&window, &DAT_Container::Closing, this, [this, &window] {
    releaseArchive(window);
    RefreshActiveDAT(&window);
  });
}

// The archive is the active one whenever the user closes its window, and also
// when the scan's stop closes it.
void Main_Container::releaseArchive(const DAT_Container& window) {
  platform::DoEvents();
  const int32_t number = window.ArchiveNumber();
  if (const auto archive = state_.DATFiles.Find(number)) {
    archive->SetColTrees(nullptr);
    state_.DATFiles.Remove(number);
    platform::CloseFile(number);
  }
  Info().ClearValues();
}

DAT_Info& Main_Container::Info() {
  if (!info_) {
    info_ = new DAT_Info(*showInfoItem_);
    mdiArea_->addSubWindow(info_);
    // Its frame is known only inside the area; it is not resizable.
    info_->setFixedSize(info_->sizeHint());
    info_->hide();
  }
  return *info_;
}

void Main_Container::PlaceInfoWindow() {
  Info().move(frameGeometry().width() - platform::TwipsToPixelsX(2200), platform::TwipsToPixelsY(100));
}

void Main_Container::toggleInfoWindow(bool nowChecked) {
  if (!nowChecked) {
    Info().hide();
    showInfoItem_->setChecked(false);
    return;
  }
  Info().show();
  PlaceInfoWindow();
  showInfoItem_->setChecked(true);
}

void Main_Container::showAbout() {
  frmAbout about(this);
  about.exec();
}

void Main_Container::closeEvent(QCloseEvent* event) {
  dragfolder::RemoveAll();
  platform::EndProgram();
  event->accept();
}

void Main_Container::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  PlaceInfoWindow();
}

}  // namespace tallyhold
