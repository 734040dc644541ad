#include "tallyhold/windows/Main_Container.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QStatusBar>

#include "common/platform/EndProgram.h"
#include "common/platform/Twips.h"
#include "tallyhold/archive/Globals.h"
#include "tallyhold/windows/DAT_Container.h"
#include "tallyhold/windows/DAT_Info.h"
#include "tallyhold/windows/frmAbout.h"

namespace tallyhold {
namespace {

QAction* addItem(QMenu* menu, const char* name, const char* caption,
                 const QKeySequence& shortcut = {}) {
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

}  // namespace

Main_Container::Main_Container() {
  setObjectName(QStringLiteral("Main_Container"));
  setWindowTitle(QStringLiteral("Tallyhold! v1.1"));
  mdiArea_ = new QMdiArea(this);
  mdiArea_->setObjectName(QStringLiteral("MDIClient"));
  mdiArea_->setBackground(palette().brush(QPalette::Dark));
  setCentralWidget(mdiArea_);
  buildMenus();
  buildPopups();
  buildStatusBar();
  const QSize client = platform::TwipsSize(9135, 6615);
  resize(client.width(), client.height() + menuBar()->sizeHint().height());
  Info().show();
  PlaceInfoWindow();
}

void Main_Container::buildMenus() {
  QMenu* file = addMenu(this, "menuitem001", "&File");
  connect(addItem(file, "mnuOpenDAT", "Open DAT...", QKeySequence(Qt::CTRL | Qt::Key_O)),
          &QAction::triggered, this, [this] { mnuOpenDAT_Click(); });
  file->addSeparator()->setObjectName(QStringLiteral("sep98"));
  connect(addItem(file, "exit", "E&xit"), &QAction::triggered, this, [this] { close(); });
  menuBar()->addMenu(file);

  QMenu* view = addMenu(this, "menuitem9032", "&View");
  mnuShowDAT = addItem(view, "mnuShowDAT", "Show DAT Information");
  mnuShowDAT->setCheckable(true);
  mnuShowDAT->setChecked(true);
  connect(mnuShowDAT, &QAction::triggered, this, [this](bool now) { mnuShowDAT_Click(now); });
  menuBar()->addMenu(view);

  QMenu* tools = addMenu(this, "menuitem002", "&Tools");
  extractselected = addItem(tools, "extractselected", "Extract selected files or directories...",
                            QKeySequence(Qt::Key_F3));
  extractall = addItem(tools, "extractall", "Extract entire DAT...", QKeySequence(Qt::Key_F4));
  extractselected->setEnabled(false);
  extractall->setEnabled(false);
  connect(extractselected, &QAction::triggered, this, [this] { extractselected_Click(); });
  connect(extractall, &QAction::triggered, this, [this] { extractall_Click(); });
  menuBar()->addMenu(tools);

  QAction* about = menuBar()->addAction(QStringLiteral("&About"));
  about->setObjectName(QStringLiteral("menuitem8932"));
  connect(about, &QAction::triggered, this, [this] { menuitem8932_Click(); });
}

void Main_Container::buildPopups() {
  mnuListView = addMenu(this, "mnuListView", "ContextListView");
  connect(addItem(mnuListView, "mnuconExtractListView", "Extract..."), &QAction::triggered, this,
          [this] { extractselected_Click(); });
  connect(addItem(mnuListView, "mnuconExtractListEntireDAT", "Extract entire DAT..."),
          &QAction::triggered, this, [this] { extractall_Click(); });
  mnuTreeView = addMenu(this, "mnuTreeView", "ContextTreeView");
  connect(addItem(mnuTreeView, "mnuconExtractTreeView", "Extract..."), &QAction::triggered, this,
          [this] { extractselected_Click(); });
  connect(addItem(mnuTreeView, "mnuconExtractTreeEntireDAT", "Extract entire DAT..."),
          &QAction::triggered, this, [this] { extractall_Click(); });
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

QString Main_Container::StatusText() const { return statusPanel_->text(); }

void Main_Container::EnableExtraction(bool flag) {
  SetStatus(QStringLiteral("Nothing to do."));
  extractselected->setEnabled(flag);
  extractall->setEnabled(flag);
}

void Main_Container::FollowActiveArchiveWindow(const DAT_Container* leaving) {
  const QList<QMdiSubWindow*> history = mdiArea_->subWindowList(QMdiArea::ActivationHistoryOrder);
  for (auto it = history.rbegin(); it != history.rend(); ++it) {
    auto* window = qobject_cast<DAT_Container*>(*it);
    if (window && window != leaving) {
      window->RefreshActiveDAT();
      return;
    }
  }
  ActiveDAT = {};
}

DAT_Info& Main_Container::Info() {
  if (!info_) {
    info_ = new DAT_Info(*mnuShowDAT);
    mdiArea_->addSubWindow(info_);
    // Its frame is known only inside the area; it is not resizable.
    info_->setFixedSize(info_->sizeHint());
    info_->hide();
  }
  return *info_;
}

void Main_Container::PlaceInfoWindow() {
  Info().move(frameGeometry().width() - platform::TwipsToPixelsX(2200),
              platform::TwipsToPixelsY(100));
}

void Main_Container::mnuShowDAT_Click(bool nowChecked) {
  if (!nowChecked) {
    Info().hide();
    mnuShowDAT->setChecked(false);
    return;
  }
  Info().show();
  PlaceInfoWindow();
  mnuShowDAT->setChecked(true);
}

void Main_Container::menuitem8932_Click() {
  frmAbout about(this);
  about.exec();
}

void Main_Container::closeEvent(QCloseEvent* event) {
  platform::EndProgram();
  event->accept();
}

void Main_Container::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  PlaceInfoWindow();
}

}  // namespace tallyhold
