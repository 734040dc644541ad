#pragma once
// The frame of Tallyhold: menus, the status line and the area that holds the
// archive windows and the information window.
#include <QByteArray>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <vector>

#include "tallyhold/windows/ProgramState.h"

class QAction;
class QLabel;
class QMdiArea;
class QMenu;

namespace engine {
struct OldEntry;
struct PatchPlan;
}  // namespace engine

namespace tallyhold {

class DAT_Container;
struct RewriteInput;
class DAT_Info;
class frmFind;

class Main_Container : public QMainWindow {
  Q_OBJECT
 public:
  Main_Container();
  ~Main_Container() override;

  ProgramState& State() { return state_; }

  // The two extraction commands, also run by the popups and the archive
  // windows' keys.
  void ExtractAll();
  void ExtractSelected();
  // Checks every entry of the active archive and writes nothing.
  void TestDAT();
  // Find entries: the Find window of the active archive.
  void ShowFind();
  // The active archive written anew without the entries selected in its
  // list, or with files the user chooses, then read again.
  void DeleteSelected();
  void AddFiles();
  // A folder packed into a new archive, which is then opened.
  void NewDATFromFolder();
  // The entry (its full name) selected in the list of its archive's window,
  // with its folder listed.
  void ShowEntry(int32_t archiveNumber, const QByteArray& name);
  // Loads one archive: validates it, gives it a window and reads its directory.
  void ReadSkarrow2DAT(const QString& sFileName);

  // Status "Nothing to do." and the two extraction items enabled or disabled.
  void EnableExtraction(bool flag);
  // DAT_Info to the top right: left = outer width - 2200, top = 100 (twips).
  void PlaceInfoWindow();

  // ActiveDAT names the area's active archive window, else the archive window
  // active last, other than the one leaving; none when there is no other.
  void RefreshActiveDAT(const DAT_Container* leaving = nullptr);

  // The information window, made (not shown) when there is none.
  DAT_Info& Info();
  QMdiArea& MdiArea() const { return *mdiArea_; }
  void SetStatus(const QString& text);

  // The popups of the archive windows' panes, never on the menu bar.
  QMenu& ListPopup() const { return *listPopup_; }
  QMenu& TreePopup() const { return *treePopup_; }

 protected:
  // Closing the frame in any way ends the program at once.
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void buildMenus();
  void buildPopups();
  void buildStatusBar();
  void openArchive();
  // Validates the archive, gives it a window and scans it; false when it was refused or the scan stopped.
  // into: an archive window to read it into again, instead of a new one.
  bool loadArchive(const QString& sFileName, DAT_Container* into = nullptr);
  // A new archive window in a new slot, shown and active, with the root node alone.
  DAT_Container& newArchiveWindow();
  void follow(DAT_Container& window);
  // Nothing of the window's archive stays: its file, its folders and the
  // information window's values go.
  void releaseArchive(const DAT_Container& window);
  void toggleInfoWindow(bool nowChecked);
  // Every archive window's tree shows every folder, or the scan's nodes.
  void showAllFolders(bool on);
  void showAbout();
  // The active archive window, unless there is none or its archive is open
  // in another window too: then the user is told, and null.
  DAT_Container* archiveToChange(const QString& command);
  // Writes the plan made from the archive's entries and length over it, and
  // reads it again.
  void rewrite(DAT_Container& window,
               const std::function<engine::PatchPlan(const std::vector<engine::OldEntry>&, qint64)>& plan,
               const RewriteInput& input);
  // The window's archive read again from its file; the same folder listed.
  void rereadArchive(DAT_Container& window);

  ProgramState state_;
  QMdiArea* mdiArea_;
  QAction* showInfoItem_;
  QAction* allFoldersItem_;
  QAction* extractSelectedItem_;
  QAction* extractAllItem_;
  QMenu* listPopup_;
  QMenu* treePopup_;
  QLabel* statusPanel_;
  QPointer<DAT_Info> info_;
  QPointer<frmFind> find_;
};

}  // namespace tallyhold
