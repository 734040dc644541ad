#include "gulpwell/Mommy.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

#include "common/platform/DialogService.h"
#include "common/platform/FitFont.h"
#include "common/platform/MousePointer.h"
#include "common/platform/StartFolder.h"
#include "common/platform/Twips.h"
#include "common/widgets/DirListBox.h"
#include "common/widgets/DriveListBox.h"
#include "common/widgets/FileListBox.h"
#include "gulpwell/AboutBox.h"
#include "gulpwell/FailureText.h"
#include "gulpwell/ZlibFunctions.h"

namespace gulpwell {
namespace {

const QString Title = QStringLiteral("Gulpwell!");

void Message(const QString& text) {
  platform::Dialogs().message(text, Title, platform::MsgIcon::None, platform::MsgButtons::Ok);
}

// The typed name is relative to the folder; "\" separates folders as "/" does.
QString DestinationPath(const QString& folder, QString typed) {
  typed.replace('\\', '/');
  return QDir::cleanPath(folder + typed);
}

// A whole file passes through zlib: the busy pointer shows while it does.
template <class Work>
Outcome busy(const Work& work) {
  const platform::BusyPointer pointer;
  return work();
}

QPushButton* Button(QWidget* parent, const char* text, const char* name, int left, int top, int width) {
  return platform::Place(new QPushButton(QString::fromLatin1(text), parent), name, {left, top, width, 375});
}

}  // namespace

Mommy::Mommy(const QString& programFolder, QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("Mommy"));
  setWindowTitle(QStringLiteral("Gulpwell! v1.3"));
  setFixedSize(platform::TwipsSize(5025, 4125));
  buildControls();
  showFolder(platform::StartFolder(programFolder));
}

void Mommy::buildControls() {
  auto* client = new QWidget(this);
  setCentralWidget(client);
  drives_ = platform::Place(new widgets::DriveListBox(client), "Drive1", {60, 120, 2535, 315});
  folders_ = platform::Place(new widgets::DirListBox(client), "Dir1", {60, 480, 2535, 1665});
  files_ = platform::Place(new widgets::FileListBox(client), "File1", {60, 2220, 2535, 1845});

  auto* banner = platform::Place(new QLabel(Title, client), "Label1", {2700, 180, 2235, 855});
  banner->setFont(QFont(QStringLiteral("Tahoma"), 36, QFont::Bold));
  platform::ShrinkFontToFit(banner);
  auto* hint = platform::Place(new QLabel(QStringLiteral("Select a file a click compress to compress it, or "
                                                         "if it's a compressed file, decompress to "
                                                         "decompress it!"),
                                          client),
                               "Label2", {2820, 2520, 2055, 855});
  hint->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  hint->setWordWrap(true);
  platform::ShrinkFontToFit(hint);

  auto* compress = Button(client, "&Compress File", "Command1", 2760, 1260, 2175);
  auto* decompress = Button(client, "&Decompress File", "Command2", 2760, 1740, 2175);
  auto* exit = Button(client, "&Exit", "Command4", 2760, 3660, 1215);
  auto* about = Button(client, "&About", "Command3", 4020, 3660, 915);

  QWidget::setTabOrder(folders_, files_);
  QWidget::setTabOrder(files_, compress);
  QWidget::setTabOrder(compress, exit);
  QWidget::setTabOrder(exit, decompress);
  QWidget::setTabOrder(decompress, about);
  QWidget::setTabOrder(about, drives_);
  folders_->setFocus();

  connect(drives_, &widgets::DriveListBox::DriveChanged, this, &Mommy::driveChosen);
  connect(folders_, &widgets::DirListBox::PathChanged, this, &Mommy::followFolder);
  connect(folders_, &widgets::DirListBox::OpenFailed, this, &Mommy::folderRefused);
  connect(compress, &QPushButton::clicked, this, &Mommy::compressCommand);
  connect(decompress, &QPushButton::clicked, this, &Mommy::decompressCommand);
  connect(about, &QPushButton::clicked, this, &Mommy::showAbout);
  connect(exit, &QPushButton::clicked, this, &QWidget::close);
}

void Mommy::showFolder(const QString& path) {
  folders_->SetPath(path);
  followFolder(folders_->Path());
}

// The three lists show one chain: the folder's drive, the folder, its files.
void Mommy::followFolder(const QString& path) {
  drives_->SetDrive(path);
  files_->SetPath(path);
}

void Mommy::driveChosen(const QString& drive) {
  if (folders_->SetPath(drive)) return;
  Message(QStringLiteral("The drive ") + drive + QStringLiteral(" is not ready or cannot be read."));
  drives_->SetDrive(folders_->Path());
}

void Mommy::folderRefused(const QString& path, widgets::FolderFailure failure) {
  Message(path + (failure == widgets::FolderFailure::AccessDenied
                      ? QStringLiteral(" cannot be opened: permission denied.")
                      : QStringLiteral(" cannot be opened: it is no longer there.")));
}

bool Mommy::selectSource(const QString& noFileMessage) {
  const QString name = files_->FileName();
  if (name.isEmpty()) {
    Message(noFileMessage);
    return false;
  }
  sourceFolder_ = folders_->Path();
  if (!sourceFolder_.endsWith('/')) sourceFolder_ += '/';
  sourcePath_ = sourceFolder_ + name;
  return true;
}

void Mommy::compressCommand() {
  if (!selectSource(QStringLiteral("Please, select a file to compress"))) return;
  const QString output = CompressedName(sourcePath_);
  const Outcome outcome = busy([&] { return CompressFile(sourcePath_); });
  Message(outcome.ok() ? output + QStringLiteral(" was succesfully created!")
                       : FailureText(outcome, sourcePath_, output));
}

void Mommy::decompressCommand() {
  if (!selectSource(QStringLiteral("Please, select a file to decompress"))) return;
  if (const Outcome source = CheckSource(sourcePath_); !source.ok()) {
    Message(FailureText(source, sourcePath_, {}));
    return;
  }
  const QString typed = platform::Dialogs().input(
      QStringLiteral("Enter the destination name of the file, please."), Title, QString());
  if (typed.isEmpty()) {
    Message(QStringLiteral("No destination name was given, so nothing was decompressed."));
    return;
  }
  const QString destination = DestinationPath(sourceFolder_, typed);
  const QString folder = QFileInfo(destination).absolutePath();
  if (!QFileInfo(folder).isDir()) {
    Message(QStringLiteral("The folder ") + folder +
            QStringLiteral(" does not exist, so nothing was decompressed."));
    return;
  }
  const Outcome outcome = busy([&] { return UncompressFile(sourcePath_, destination); });
  if (!outcome.ok()) {
    Message(FailureText(outcome, sourcePath_, destination));
    return;
  }
  Message(typed + QStringLiteral(" was succesfully decompressed!"));
  files_->Refresh();
}

void Mommy::showAbout() {
  AboutBox box(this);
  box.exec();
}

}  // namespace gulpwell
