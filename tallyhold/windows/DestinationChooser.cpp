#include "tallyhold/windows/DestinationChooser.h"

#include <sys/stat.h>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <cerrno>

#include "common/platform/DialogService.h"
#include "common/platform/FolderOpening.h"
#include "common/platform/StartFolder.h"
#include "common/platform/Twips.h"
#include "common/widgets/DirListBox.h"
#include "common/widgets/DriveListBox.h"
#include "engine/extract/ExtractionRun.h"
#include "tallyhold/windows/ErrorHandler.h"
#include "tallyhold/windows/RunProgress.h"

namespace tallyhold {
namespace {

platform::MsgAnswer report(std::error_code error) {
  const FileSystemFailure failure = FileSystemFailureOf(error);
  return HandleError(failure.number, failure.description, {});
}

// Why a folder the lists refused cannot be entered, as the system says it.
std::error_code whyNotEntered(const QString& folder, widgets::FolderFailure failure) {
  if (const std::error_code error = platform::FolderOpenError(folder)) return error;
  return std::make_error_code(failure == widgets::FolderFailure::AccessDenied
                                  ? std::errc::permission_denied
                                  : std::errc::no_such_file_or_directory);
}

}  // namespace

DestinationChooser::DestinationChooser(const ExtractSource& source, const QSize& clientTwips,
                                       const QRect& createFolderTwips, const QRect& cancelTwips)
    : source_(source), mainWindow_(source.MainWindow) {
  setFixedSize(platform::TwipsSize(clientTwips.width(), clientTwips.height()));
  QLabel* prompt = platform::Place(new QLabel(QStringLiteral("Choose the destination directory:"), this), "Label1",
                                   {120, 120, 3195, 255});
  drives_ = platform::Place(new widgets::DriveListBox(this), "Drive1", {120, 420, 3255, 315});
  folders_ = platform::Place(new widgets::DirListBox(this), "Dir1", {120, 840, 3255, 1890});
  // Screen readers tell the prompt with both lists: a combo box on Linux is
  // named by its item and labelled by its buddy, a list only by its name.
  prompt->setBuddy(drives_);
  folders_->setAccessibleName(prompt->text());
  QPushButton* createFolderButton = PlaceButton("Create new dir", "Command3", createFolderTwips);
  QPushButton* cancelButton = PlaceButton("Cancel", "Command2", cancelTwips);

  connect(drives_, &widgets::DriveListBox::DriveChanged, this, &DestinationChooser::changeDrive);
  connect(folders_, &widgets::DirListBox::PathChanged, drives_, &widgets::DriveListBox::SetDrive);
  connect(folders_, &widgets::DirListBox::OpenFailed, this, &DestinationChooser::folderRefused);
  connect(createFolderButton, &QPushButton::clicked, this, &DestinationChooser::createFolder);
  connect(cancelButton, &QPushButton::clicked, this, &DestinationChooser::Unload);

  if (mainWindow_) mainWindow_->setEnabled(false);
  folders_->SetPath(platform::StartFolder(QCoreApplication::applicationDirPath()));
  drives_->SetDrive(folders_->Path());
}

QPushButton* DestinationChooser::PlaceButton(const char* text, const char* name, const QRect& twips) {
  auto* button = platform::Place(new QPushButton(QLatin1String(text), this), name, twips);
  button->setAutoDefault(false);
  return button;
}

QString DestinationChooser::Folder() const { return folders_->Path(); }

QString DestinationChooser::FolderWithSeparator() const {
  const QString folder = Folder();
  return folder.endsWith('/') ? folder : folder + '/';
}

// A drive that is not ready may be tried again (its box alone offers Retry);
// any other failure leaves the lists where they were instead of repeating it.
void DestinationChooser::changeDrive(const QString& drive) {
  for (;;) {
    if (folders_->SetPath(drive)) return;
    if (report(whyNotEntered(drive, folders_->LastFailure())) != platform::MsgAnswer::Retry) break;
  }
  drives_->SetDrive(folders_->Path());
}

void DestinationChooser::createFolder() {
  for (;;) {
    const QString name = platform::Dialogs().input(QStringLiteral("Enter the name of the directory:"),
                                                   QStringLiteral("Create new folder"), QString());
    if (name.isEmpty()) return;
    const std::error_code error = createAndEnter(FolderWithSeparator() + name);
    if (!error) return;
    report(error);
  }
}

std::error_code DestinationChooser::createAndEnter(const QString& folder) {
  if (::mkdir(QFile::encodeName(folder).constData(), 0777) != 0) return {errno, std::generic_category()};
  if (!folders_->SetPath(folder)) return whyNotEntered(folder, folders_->LastFailure());
  return {};
}

void DestinationChooser::folderRefused(const QString& folder, widgets::FolderFailure failure) {
  report(whyNotEntered(folder, failure));
}

void DestinationChooser::SetRunning(bool running) {
  running_ = running;
  setEnabled(!running);
}

void DestinationChooser::Unload() {
  if (unloading_) return;
  unloading_ = true;
  if (mainWindow_) mainWindow_->setEnabled(true);
  hide();
  deleteLater();
  if (mainWindow_) {
    mainWindow_->activateWindow();
    mainWindow_->setFocus();
  }
}

void DestinationChooser::EndRun(RunProgress& progress) {
  progress.Flush();
  progress.Unload();
  Unload();
}

bool DestinationChooser::Completed(RunProgress& progress, const engine::RunReport& report) {
  if (report.end == engine::RunEnd::Completed) return true;
  EndRun(progress);
  if (report.end == engine::RunEnd::Failed)
    platform::Dialogs().message(engine::WriteFailureText(report.failure), engine::WriteFailureTitle,
                                platform::MsgIcon::Exclamation, platform::MsgButtons::Ok);
  return false;
}

qint64 DestinationChooser::CountToTell(qint64 count, const engine::RunReport& report) {
  return report.skipped.Count() > 0 ? report.extracted : count;
}

void DestinationChooser::TellCompletion(const QString& text, const engine::RunReport& report) {
  const bool skipped = report.skipped.Count() > 0;
  platform::Dialogs().message(text + report.skipped.CompletionAddition(), QStringLiteral("Extraction complete!"),
                              skipped ? platform::MsgIcon::Exclamation : platform::MsgIcon::Information,
                              platform::MsgButtons::Ok);
}

void DestinationChooser::closeEvent(QCloseEvent* event) {
  event->ignore();
  if (!running_) Unload();
}

void DestinationChooser::reject() {
  if (!running_) Unload();
}

}  // namespace tallyhold
