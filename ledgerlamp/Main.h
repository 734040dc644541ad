#pragma once
// The reader's one window: the trailer values on the left, one directory record
// on the right, and the commands that load an archive and move between records.
#include <QMainWindow>
#include <QPointer>

#include "ledgerlamp/DATFunctions.h"
#include "ledgerlamp/Navigation.h"

class QAction;
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
  void ReadSkarrow2DAT(const QString& path);
  // A file the user gave (in the open dialog, on the command line, by a drop):
  // the about window names it, then it is loaded.
  void LoadGiven(const QString& path);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildMenu();
  void buildLayout();
  void buildInformationGroup(QGroupBox* group);
  void buildRecordGroup(QGroupBox* group);
  void buildCommands();
  void connectCommands();

  void chooseArchive();
  void unloadArchive();
  void jumpToNumber();
  void applyIndexRule();
  void showAbout();
  About* aboutWindow();

  void adoptArchive(ReaderState loaded);
  void showLoadedArchive();
  void moveTo(Move move);
  void showRecord(int32_t index);
  // A value too long for its box shows its beginning.
  static void showValue(QLineEdit* box, const QString& text);
  void showRecordOrReport(int32_t index);
  void clearRecordBoxes();
  void setMovingEnabled(bool enabled);

  ReaderState state_;
  QPointer<About> about_;

  QAction* exitAction_;
  QAction* aboutAction_;
  QLineEdit* filesTotalBox_;
  QLineEdit* treeSizeBox_;
  QLineEdit* dataSizeBox_;
  QLineEdit* filenameBox_;
  QLineEdit* filenameSizeBox_;
  QLineEdit* typeBox_;
  QLineEdit* packedSizeBox_;
  QLineEdit* realSizeBox_;
  QLineEdit* offsetBox_;
  QLineEdit* indexBox_;
  QPushButton* openButton_;
  QPushButton* unloadButton_;
  QPushButton* aboutButton_;
  QPushButton* exitButton_;
  QPushButton* firstButton_;
  QPushButton* previousButton_;
  QPushButton* nextButton_;
  QPushButton* lastButton_;
  QPushButton* jumpButton_;
  QLabel* positionLabel_;  // says when the first or the last record is reached
};

}  // namespace ledgerlamp
