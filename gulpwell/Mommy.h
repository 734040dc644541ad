#pragma once
// Gulpwell's window: a file picker of linked drive, folder and file lists, and
// the commands that compress the selected file or decompress it. A main
// window, so that screen readers are told it is the program's window.
#include <QCoreApplication>
#include <QMainWindow>
#include <QString>

#include "common/widgets/FolderAccess.h"

namespace widgets {
class DriveListBox;
class DirListBox;
class FileListBox;
}  // namespace widgets

namespace gulpwell {

class Mommy : public QMainWindow {
  Q_OBJECT

 public:
  // The lists start in the program's folder, or in the home folder when the
  // program is installed there (platform::StartFolder).
  explicit Mommy(const QString& programFolder = QCoreApplication::applicationDirPath(), QWidget* parent = nullptr);

 private:
  void buildControls();
  void showFolder(const QString& path);
  void followFolder(const QString& path);
  void driveChosen(const QString& drive);
  void folderRefused(const QString& path, widgets::FolderFailure failure);
  bool selectSource(const QString& noFileMessage);
  void compressCommand();
  void decompressCommand();
  void showAbout();

  widgets::DriveListBox* drives_ = nullptr;
  widgets::DirListBox* folders_ = nullptr;
  widgets::FileListBox* files_ = nullptr;

  // Set by each command from the lists: the folder ending in a separator, and
  // that folder followed by the selected name.
  QString sourceFolder_;
  QString sourcePath_;
};

}  // namespace gulpwell
