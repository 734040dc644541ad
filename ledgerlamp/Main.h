#pragma once
// The reader's one window: the trailer values on the left, one directory record
// on the right, and the commands that load an archive and move between records.
#include <QMainWindow>
#include <QPointer>

#include "ledgerlamp/DATFunctions.h"
#include "ledgerlamp/Navigation.h"

class QAction;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ledgerlamp {

class About;

class Main : public QMainWindow {
  Q_OBJECT

 public:
  Main();

  // Loads the archive at the path; a file that fails a check is reported and
  // the archive loaded before stays loaded.
  void ReadSkarrow2DAT(const QString& sFileName);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildMenu();
  void buildLayout();
  void buildInformationGroup();
  void buildRecordGroup();
  void buildCommands();
  void connectCommands();

  void cmdOpenDat_Click();
  void cmdUnloadDat_Click();
  void cmdJump_Click();
  void txtIndex_Change();
  void showAbout();
  About* aboutWindow();

  void adoptArchive(ReaderState loaded);
  void showLoadedArchive();
  void moveTo(Move move);
  void showRecord(int32_t index);
  void showRecordOrReport(int32_t index);
  void clearRecordBoxes();
  void setMovingEnabled(bool enabled);

  ReaderState state_;
  QPointer<About> about_;

  QAction* exit;
  QAction* aboutmenu;
  QFrame* Line1;
  QGroupBox* Frame1;
  QGroupBox* Frame2;
  QLineEdit* txtFilesTotal;
  QLineEdit* txtTreeSize;
  QLineEdit* txtDataSize;
  QLineEdit* txtFilename;
  QLineEdit* txtFilenameSize;
  QLineEdit* txtType;
  QLineEdit* txtPackedSize;
  QLineEdit* txtRealSize;
  QLineEdit* txtOffset;
  QLineEdit* txtIndex;
  QPushButton* cmdOpenDat;
  QPushButton* cmdUnloadDat;
  QPushButton* Command1;
  QPushButton* cmdExit;
  QPushButton* cmdFirst;
  QPushButton* cmdPrev;
  QPushButton* cmdNext;
  QPushButton* cmdLast;
  QPushButton* cmdJump;
  QLabel* Label11;
};

}  // namespace ledgerlamp
