#pragma once
// The small window at the top right of the frame with four trailer values of
// the archive loaded last. mnuShowDAT's check mark follows it.
#include <QMdiSubWindow>

class QAction;
class QLabel;
class QPushButton;

namespace tallyhold {

class ClsDatFile;

class DAT_Info : public QMdiSubWindow {
  Q_OBJECT
 public:
  explicit DAT_Info(QAction& mnuShowDAT);

  QLabel* Label1;
  QLabel* txtDataSize;
  QLabel* Label2;
  QLabel* txtTreeSize;
  QLabel* Label3;
  QLabel* txtFilesTotal;
  QLabel* Label4;
  QLabel* txtDirTreeAddr;
  QPushButton* Command1;

  void ShowValues(const ClsDatFile& archive);
  void ClearValues();

 protected:
  // The close box discards the window; the next View command makes a new one.
  void closeEvent(QCloseEvent* event) override;

 private:
  QAction& mnuShowDAT_;
};

}  // namespace tallyhold
