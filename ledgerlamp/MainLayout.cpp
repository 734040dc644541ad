// The window's controls at the places and in the fonts it was designed with (twips).
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

#include "common/platform/Fonts.h"
#include "common/platform/Twips.h"
#include "ledgerlamp/Main.h"
#include "ledgerlamp/Version.h"

namespace ledgerlamp {
namespace {

QLineEdit* textBox(QWidget* parent, const char* name, const QRect& twips) {
  QLineEdit* box = platform::Place(new QLineEdit(parent), name, twips);
  box->setReadOnly(true);
  return box;
}

QLabel* label(QWidget* parent, const char* name, const QString& text, const QRect& twips) {
  return platform::Place(new QLabel(text, parent), name, twips);
}

// A read-only box with its label to the left; the label names the box for
// screen readers, as a buddy does.
QLineEdit* labelledBox(QWidget* parent, const char* labelName, const QString& caption, const QRect& labelTwips,
                       const char* boxName, const QRect& boxTwips) {
  QLabel* boxLabel = label(parent, labelName, caption, labelTwips);
  QLineEdit* box = textBox(parent, boxName, boxTwips);
  boxLabel->setBuddy(box);
  return box;
}

QPushButton* button(QWidget* parent, const char* name, const QString& text, const QRect& twips) {
  return platform::Place(new QPushButton(text, parent), name, twips);
}

}  // namespace

void Main::buildMenu() {
  exitAction_ = menuBar()->addAction(QStringLiteral("E&xit"));
  exitAction_->setObjectName(QStringLiteral("exit"));
  aboutAction_ = menuBar()->addAction(QStringLiteral("&About..."));
  aboutAction_->setObjectName(QStringLiteral("aboutmenu"));
}

void Main::buildLayout() {
  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("client"));
  client->setFixedSize(platform::TwipsSize(6945, 2760));
  setCentralWidget(client);
  auto* line = platform::Place(new QFrame(client), "Line1", QRect(0, 0, 6945, 30));
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  buildInformationGroup(platform::Place(new QGroupBox(QStringLiteral("DAT information"), client), "Frame1",
                                        QRect(180, 120, 2535, 1575)));
  buildRecordGroup(platform::Place(new QGroupBox(QStringLiteral("Tree Information"), client), "Frame2",
                                   QRect(2820, 120, 3975, 2535)));
  buildCommands();
  layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void Main::buildInformationGroup(QGroupBox* group) {
  filesTotalBox_ = labelledBox(group, "Label1", QStringLiteral("FilesTotal:"), QRect(120, 390, 855, 255),
                               "txtFilesTotal", QRect(1020, 360, 1335, 285));
  treeSizeBox_ = labelledBox(group, "Label2", QStringLiteral("TreeSize:"), QRect(120, 750, 855, 255),
                             "txtTreeSize", QRect(1020, 720, 1335, 285));
  dataSizeBox_ = labelledBox(group, "Label3", QStringLiteral("DataSize:"), QRect(120, 1110, 855, 255),
                             "txtDataSize", QRect(1020, 1080, 1335, 315));
}

void Main::buildRecordGroup(QGroupBox* group) {
  struct Row {
    const char* label;
    const char* caption;
    const char* name;
    QLineEdit* Main::*box;
  };
  // Label4 to Label10, a row apart.
  const Row rows[] = {{"Label4", "Filename:", "txtFilename", &Main::filenameBox_},
                      {"Label5", "FilenameSize:", "txtFilenameSize", &Main::filenameSizeBox_},
                      {"Label6", "Type:", "txtType", &Main::typeBox_},
                      {"Label7", "PackedSize:", "txtPackedSize", &Main::packedSizeBox_},
                      {"Label8", "RealSize:", "txtRealSize", &Main::realSizeBox_},
                      {"Label9", "Offset:", "txtOffset", &Main::offsetBox_},
                      {"Label10", "Index:", "txtIndex", &Main::indexBox_}};
  int top = 300;
  for (const Row& row : rows) {
    const int width = row.box == &Main::filenameBox_ ? 2535 : 1035;
    this->*row.box = labelledBox(group, row.label, QString::fromLatin1(row.caption),
                                 QRect(180, top + 30, 1035, 255), row.name, QRect(1260, top, width, 285));
    top += 300;
  }
  firstButton_ = button(group, "cmdFirst", QStringLiteral("<<- First"), QRect(2820, 660, 975, 315));
  previousButton_ = button(group, "cmdPrev", QStringLiteral("<- Previous"), QRect(2820, 960, 975, 315));
  nextButton_ = button(group, "cmdNext", QStringLiteral("Next ->"), QRect(2820, 1320, 975, 315));
  lastButton_ = button(group, "cmdLast", QStringLiteral("Last ->>"), QRect(2820, 1620, 975, 315));
  jumpButton_ = button(group, "cmdJump", QStringLiteral("Jump to index..."), QRect(2520, 1980, 1275, 255));
  positionLabel_ = label(group, "Label11", QString(), QRect(2400, 2280, 1455, 195));
  positionLabel_->setFont(platform::DesignFont(QStringLiteral("Small Fonts"), 6.75));
  setMovingEnabled(false);
}

void Main::buildCommands() {
  QWidget* client = centralWidget();
  openButton_ = button(client, "cmdOpenDat", QStringLiteral("Open DAT"), QRect(180, 1800, 1095, 435));
  unloadButton_ = button(client, "cmdUnloadDat", QStringLiteral("Unload Dat"), QRect(1620, 1800, 1095, 435));
  aboutButton_ = button(client, "Command1", QStringLiteral("About"), QRect(960, 2340, 735, 315));
  exitButton_ = button(client, "cmdExit", QStringLiteral("Exit"), QRect(1980, 2340, 735, 315));
  for (QPushButton* command : {unloadButton_, aboutButton_, exitButton_})
    command->setFont(platform::DesignFont(QStringLiteral("Tahoma"), 8.25));
  openButton_->setFont(platform::DesignFont(QStringLiteral("Tahoma"), 8.25, true));
  unloadButton_->setEnabled(false);
  label(client, "Label12", QStringLiteral("v%1.%2.%3").arg(VersionMajor).arg(VersionMinor).arg(VersionRevision),
        QRect(120, 2400, 555, 255));
}

}  // namespace ledgerlamp
