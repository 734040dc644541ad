#pragma once
// The frame of Tallyhold: menus, the status line and the area that holds the
// archive windows and the information window.
#include <QMainWindow>
#include <QPointer>

class QAction;
class QLabel;
class QMdiArea;
class QMenu;

namespace tallyhold {

class DAT_Container;
class DAT_Info;

class Main_Container : public QMainWindow {
  Q_OBJECT
 public:
  Main_Container();

  // The two extraction commands, also run by the popups and the archive
  // windows' keys.
  virtual void extractall_Click();
  virtual void extractselected_Click();
  // Loads one archive: validates it, gives it a window and reads its directory.
  void ReadSkarrow2DAT(const QString& sFileName);

  // Status "Nothing to do." and the two extraction items enabled or disabled.
  void EnableExtraction(bool flag);
  // DAT_Info to the top right: left = outer width - 2200, top = 100 (twips).
  void PlaceInfoWindow();

  // ActiveDAT names the area's active archive window, else the archive window
  // active last, other than the one leaving; none when there is no other.
  void FollowActiveArchiveWindow(const DAT_Container* leaving);

  // The information window, made (not shown) when there is none.
  DAT_Info& Info();
  QMdiArea& MdiArea() const { return *mdiArea_; }
  void SetStatus(const QString& text);
  QString StatusText() const;

  QAction* mnuShowDAT;
  QAction* extractselected;
  QAction* extractall;
  QMenu* mnuListView;  // popup of the list pane, never on the menu bar
  QMenu* mnuTreeView;  // popup of the tree pane, never on the menu bar

 protected:
  // Closing the frame in any way ends the program at once.
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void buildMenus();
  void buildPopups();
  void buildStatusBar();
  void mnuOpenDAT_Click();
  // Validates the archive, gives it a window and scans it; false when it was refused or the scan stopped.
  bool loadArchive(const QString& sFileName);
  void mnuShowDAT_Click(bool nowChecked);
  void menuitem8932_Click();

  QMdiArea* mdiArea_;
  QLabel* statusPanel_;
  QPointer<DAT_Info> info_;
};

}  // namespace tallyhold
