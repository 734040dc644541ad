#pragma once
// What both extraction dialogs share: choosing the destination folder with a
// drive list and a folder list, making a new folder in it, and giving up. A
// dialog disables the main window while it is open; closing it in any way
// other than a finished run (Cancel, its close box, Esc) enables it again.
#include <QDialog>
#include <QPointer>
#include <QRect>
#include <system_error>

#include "common/widgets/FolderAccess.h"
#include "tallyhold/windows/ExtractSource.h"

class QPushButton;

namespace widgets {
class DirListBox;
class DriveListBox;
}  // namespace widgets

namespace engine {
struct RunReport;
}  // namespace engine

namespace tallyhold {

class RunProgress;

class DestinationChooser : public QDialog {
  Q_OBJECT
 protected:
  // Places the shared controls; the places of "Create new dir" and "Cancel"
  // differ per dialog (twips). Loading: the main window disabled, Dir1 at the
  // start folder and Drive1 on its drive.
  DestinationChooser(const ExtractSource& source, const QSize& clientTwips, const QRect& createFolderTwips,
                     const QRect& cancelTwips);

  // The folder Dir1 shows: the destination.
  QString Folder() const;
  // Dir1's path followed by "/" unless it ends with one already.
  QString FolderWithSeparator() const;

  // While a run goes on the dialog takes no input and cannot be closed.
  void SetRunning(bool running);
  // The end of Cancel: the main window enabled, this dialog unloaded, the
  // focus on the main window.
  void Unload();

  // How a run ends, the same in both dialogs. Done: the progress window and
  // the dialog go, the main window is enabled and has the focus.
  void EndRun(RunProgress& progress);
  // True when the run completed; its dialog ends it then. A stopped run ends
  // here as done; a failed one as a stopped one,
  // then the message that names the file and the system's reason.
  bool Completed(RunProgress& progress, const engine::RunReport& report);

  // The completion box of a run. With entries skipped, the count the
  // dialog's message gives would claim files that were not written:
  // CountToTell gives the files written then, and the box warns.
  static qint64 CountToTell(qint64 count, const engine::RunReport& report);
  static void TellCompletion(const QString& text, const engine::RunReport& report);

  QPushButton* PlaceButton(const char* text, const char* name, const QRect& twips);

  void closeEvent(QCloseEvent* event) override;
  void reject() override;

  ExtractSource source_;

 private:
  void changeDrive(const QString& drive);
  void createFolder();
  void folderRefused(const QString& folder, widgets::FolderFailure failure);
  // Creates the folder and moves Dir1 into it; the failure when one of the two fails.
  std::error_code createAndEnter(const QString& folder);

  QPointer<QWidget> mainWindow_;
  widgets::DriveListBox* drives_;
  widgets::DirListBox* folders_;
  bool running_ = false;
  bool unloading_ = false;
};

}  // namespace tallyhold
