#pragma once
// The Window menu of the frame: the open archive windows by name, the one the
// commands work on checked, and the ways to move between them and arrange
// them. The information window keeps its place and is never one of them.
#include <QMenu>
#include <functional>

class QMdiArea;

namespace tallyhold {

class DAT_Container;

class WindowMenu : public QMenu {
  Q_OBJECT
 public:
  // active: the archive window the commands work on, or null.
  WindowMenu(QMdiArea& area, std::function<DAT_Container*()> active, QWidget* parent);

  // The area's archive windows, in the order they were opened.
  QList<DAT_Container*> ArchiveWindows() const;

 private:
  void listWindows();
  // step: +1 for Next, -1 for Previous, around the ring of archive windows.
  void activateNeighbour(int step);
  void cascade();
  void tile();
  void closeActive();

  QMdiArea& area_;
  std::function<DAT_Container*()> active_;
  QList<QAction*> windowItems_;
};

}  // namespace tallyhold
