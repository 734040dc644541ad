#pragma once
// The small window at the top right of the frame with four trailer values of
// the archive loaded last. mnuShowDAT's check mark follows it.
#include <QMdiSubWindow>

class QAction;
class QLabel;

namespace engine {
class ClsDatFile;
}  // namespace engine

namespace tallyhold {

class DAT_Info : public QMdiSubWindow {
  Q_OBJECT
 public:
  // showItem: the View command's item, whose check mark follows the window.
  explicit DAT_Info(QAction& showItem);

  void ShowValues(const engine::ClsDatFile& archive);
  void ClearValues();

 protected:
  // The close box discards the window; the next View command makes a new one.
  void closeEvent(QCloseEvent* event) override;

 private:
  void keepArchiveWindowsMaximised();

  QAction& showItem_;
  QLabel* dataSize_;
  QLabel* treeSize_;
  QLabel* filesTotal_;
  QLabel* dirTreeAddr_;
};

}  // namespace tallyhold
