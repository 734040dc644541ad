#include "tallyhold/windows/WindowMenu.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>
#include <cmath>

#include "tallyhold/windows/DAT_Container.h"

namespace tallyhold {
namespace {

QAction* addItem(QMenu* menu, const char* name, const char* caption, const QList<QKeySequence>& shortcuts = {}) {
  QAction* item = menu->addAction(QLatin1String(caption));
  item->setObjectName(QLatin1String(name));
  item->setShortcuts(shortcuts);
  return item;
}

// A window's caption as a menu item: an "&" in a path is no access key.
QString itemText(int number, const QString& caption) {
  QString text = caption;
  text.replace(QLatin1Char('&'), QLatin1String("&&"));
  return number <= 9 ? QStringLiteral("&%1 %2").arg(number).arg(text) : text;
}

// Close is this menu's: the same keys on a window's own menu would leave
// both items dead whenever that window holds the focus.
void dropCloseKeys(QMdiSubWindow& window) {
  if (QMenu* menu = window.systemMenu())
    for (QAction* item : menu->actions())
      if (item->shortcuts() == QKeySequence::keyBindings(QKeySequence::Close)) item->setShortcuts({});
}

}  // namespace

WindowMenu::WindowMenu(QMdiArea& area, std::function<DAT_Container*()> active, QWidget* parent)
    : QMenu(QStringLiteral("&Window"), parent), area_(area), active_(std::move(active)) {
  setObjectName(QStringLiteral("mnuWindow"));
  menuAction()->setObjectName(QStringLiteral("mnuWindow"));
  connect(addItem(this, "mnuWindowNext", "&Next",
                  {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_F6)}),
          &QAction::triggered, this, [this] { activateNeighbour(+1); });
  connect(addItem(this, "mnuWindowPrevious", "&Previous",
                  {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F6)}),
          &QAction::triggered, this, [this] { activateNeighbour(-1); });
  connect(addItem(this, "mnuWindowCascade", "&Cascade"), &QAction::triggered, this, [this] { cascade(); });
  connect(addItem(this, "mnuWindowTile", "&Tile"), &QAction::triggered, this, [this] { tile(); });
  connect(addItem(this, "mnuWindowClose", "C&lose",
                  {QKeySequence(Qt::CTRL | Qt::Key_W), QKeySequence(Qt::CTRL | Qt::Key_F4)}),
          &QAction::triggered, this, [this] { closeActive(); });
  // The list is made when the menu opens, so it always names the windows there are.
  connect(this, &QMenu::aboutToShow, this, &WindowMenu::listWindows);
  // Keys reach a window's menu only while it is active.
  connect(&area_, &QMdiArea::subWindowActivated, this, [](QMdiSubWindow* window) {
    if (window) dropCloseKeys(*window);
  });
}

QList<DAT_Container*> WindowMenu::ArchiveWindows() const {
  QList<DAT_Container*> windows;
  for (QMdiSubWindow* window : area_.subWindowList(QMdiArea::CreationOrder))
    if (auto* archive = qobject_cast<DAT_Container*>(window)) windows << archive;
  return windows;
}

void WindowMenu::listWindows() {
  qDeleteAll(windowItems_);
  windowItems_.clear();
  const QList<DAT_Container*> windows = ArchiveWindows();
  if (!windows.isEmpty()) windowItems_ << addSeparator();
  const DAT_Container* active = active_();
  for (int i = 0; i < windows.size(); ++i) {
    DAT_Container* window = windows[i];
    QAction* item = addAction(itemText(i + 1, window->windowTitle()));
    item->setObjectName(QStringLiteral("mnuWindowList"));
    item->setCheckable(true);
    item->setChecked(window == active);
    connect(item, &QAction::triggered, window, [this, window] { area_.setActiveSubWindow(window); });
    windowItems_ << item;
  }
}

void WindowMenu::activateNeighbour(int step) {
  const QList<DAT_Container*> windows = ArchiveWindows();
  if (windows.isEmpty()) return;
  const qsizetype at = windows.indexOf(active_());
  const qsizetype count = windows.size();
  // With none active, Next takes the first and Previous the last.
  const qsizetype next = at < 0 ? (step > 0 ? 0 : count - 1) : (at + step + count) % count;
  area_.setActiveSubWindow(windows[next]);
}

// Each window two thirds of the area, each one a title bar lower and to the
// right of the one before, starting again at the top when one would leave it.
void WindowMenu::cascade() {
  const QSize space = area_.viewport()->size();
  const QSize size(space.width() * 2 / 3, space.height() * 2 / 3);
  const int step = std::max(1, style()->pixelMetric(QStyle::PM_TitleBarHeight));
  const int steps = std::max(1, std::min(space.width() - size.width(), space.height() - size.height()) / step + 1);
  int i = 0;
  for (DAT_Container* window : ArchiveWindows()) {
    window->showNormal();
    const int offset = (i++ % steps) * step;
    window->setGeometry(QRect(QPoint(offset, offset), size));
    window->raise();
  }
}

// Rows and columns as near to a square as the count allows, filling the area.
void WindowMenu::tile() {
  const QList<DAT_Container*> windows = ArchiveWindows();
  if (windows.isEmpty()) return;
  const int count = static_cast<int>(windows.size());
  const int columns = static_cast<int>(std::ceil(std::sqrt(count)));
  const int rows = (count + columns - 1) / columns;
  const QSize space = area_.viewport()->size();
  for (int i = 0; i < count; ++i) {
    const int row = i / columns, column = i % columns;
    const QPoint topLeft(space.width() * column / columns, space.height() * row / rows);
    const QPoint end(space.width() * (column + 1) / columns, space.height() * (row + 1) / rows);
    windows[i]->showNormal();
    windows[i]->setGeometry(QRect(topLeft, end - QPoint(1, 1)));
  }
}

void WindowMenu::closeActive() {
  if (DAT_Container* window = active_()) window->close();
}

}  // namespace tallyhold
