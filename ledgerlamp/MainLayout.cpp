// The window's controls at the places and in the fonts it was designed with (twips).
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

#include "common/platform/Twips.h"
#include "common/platform/Fonts.h"
#include "ledgerlamp/Main.h"
#include "ledgerlamp/Version.h"

namespace ledgerlamp {
namespace {

using platform::TwipsRect;

QLineEdit* textBox(QWidget* parent, const char* name, const QRect& twips) {
  QLineEdit* box = platform::Place(new QLineEdit(parent), name, twips);
  box->setReadOnly(true);
  return box;
}

QLabel* label(QWidget* parent, const char* name, const QString& text, const QRect& twips) {
  return platform::Place(new QLabel(text, parent), name, twips);
}

QPushButton* button(QWidget* parent, const char* name, const QString& text, const QRect& twips) {
  return platform::Place(new QPushButton(text, parent), name, twips);
}

}  // namespace

void Main::buildMenu() {
  exit = menuBar()->addAction(QStringLiteral("E&xit"));
  exit->setObjectName(QStringLiteral("exit"));
  aboutmenu = menuBar()->addAction(QStringLiteral("&About..."));
  aboutmenu->setObjectName(QStringLiteral("aboutmenu"));
}

void Main::buildLayout() {
  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("client"));
  client->setFixedSize(platform::TwipsSize(6945, 2760));
  setCentralWidget(client);
  Line1 = platform::Place(new QFrame(client), "Line1", QRect(0, 0, 6945, 30));
  Line1->setFrameShape(QFrame::HLine);
  Line1->setFrameShadow(QFrame::Sunken);
  Frame1 = platform::Place(new QGroupBox(QStringLiteral("DAT information"), client), "Frame1",
                  QRect(180, 120, 2535, 1575));
  Frame2 = platform::Place(new QGroupBox(QStringLiteral("Tree Information"), client), "Frame2",
                  QRect(2820, 120, 3975, 2535));
  buildInformationGroup();
  buildRecordGroup();
  buildCommands();
  layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void Main::buildInformationGroup() {
  label(Frame1, "Label1", QStringLiteral("FilesTotal:"), QRect(120, 390, 855, 255));
  txtFilesTotal = textBox(Frame1, "txtFilesTotal", QRect(1020, 360, 1335, 285));
  label(Frame1, "Label2", QStringLiteral("TreeSize:"), QRect(120, 750, 855, 255));
  txtTreeSize = textBox(Frame1, "txtTreeSize", QRect(1020, 720, 1335, 285));
  label(Frame1, "Label3", QStringLiteral("DataSize:"), QRect(120, 1110, 855, 255));
  txtDataSize = textBox(Frame1, "txtDataSize", QRect(1020, 1080, 1335, 315));
}

void Main::buildRecordGroup() {
  struct Row {
    const char* label;
    const char* caption;
    const char* name;
    QLineEdit* Main::*box;
  };
  // Label4 to Label10, a row apart.
  const Row rows[] = {{"Label4", "Filename:", "txtFilename", &Main::txtFilename},
                      {"Label5", "FilenameSize:", "txtFilenameSize", &Main::txtFilenameSize},
                      {"Label6", "Type:", "txtType", &Main::txtType},
                      {"Label7", "PackedSize:", "txtPackedSize", &Main::txtPackedSize},
                      {"Label8", "RealSize:", "txtRealSize", &Main::txtRealSize},
                      {"Label9", "Offset:", "txtOffset", &Main::txtOffset},
                      {"Label10", "Index:", "txtIndex", &Main::txtIndex}};
  int top = 300;
  for (const Row& row : rows) {
    label(Frame2, row.label, QString::fromLatin1(row.caption), QRect(180, top + 30, 1035, 255));
    const int width = row.box == &Main::txtFilename ? 2535 : 1035;
    this->*row.box = textBox(Frame2, row.name, QRect(1260, top, width, 285));
    top += 300;
  }
  cmdFirst = button(Frame2, "cmdFirst", QStringLiteral("<<- First"), QRect(2820, 660, 975, 315));
  cmdPrev = button(Frame2, "cmdPrev", QStringLiteral("<- Previous"), QRect(2820, 960, 975, 315));
  cmdNext = button(Frame2, "cmdNext", QStringLiteral("Next ->"), QRect(2820, 1320, 975, 315));
  cmdLast = button(Frame2, "cmdLast", QStringLiteral("Last ->>"), QRect(2820, 1620, 975, 315));
  cmdJump = button(Frame2, "cmdJump", QStringLiteral("Jump to index..."), QRect(2520, 1980, 1275, 255));
  Label11 = label(Frame2, "Label11", QString(), QRect(2400, 2280, 1455, 195));
  Label11->setFont(platform::DesignFont(QStringLiteral("Small Fonts"), 6.75));
  setMovingEnabled(false);
}

void Main::buildCommands() {
  QWidget* client = centralWidget();
  cmdOpenDat = button(client, "cmdOpenDat", QStringLiteral("Open DAT"), QRect(180, 1800, 1095, 435));
  cmdUnloadDat = button(client, "cmdUnloadDat", QStringLiteral("Unload Dat"), QRect(1620, 1800, 1095, 435));
  Command1 = button(client, "Command1", QStringLiteral("About"), QRect(960, 2340, 735, 315));
  cmdExit = button(client, "cmdExit", QStringLiteral("Exit"), QRect(1980, 2340, 735, 315));
  for (QPushButton* command : {cmdUnloadDat, Command1, cmdExit})
    command->setFont(platform::DesignFont(QStringLiteral("Tahoma"), 8.25));
  cmdOpenDat->setFont(platform::DesignFont(QStringLiteral("Tahoma"), 8.25, true));
  cmdUnloadDat->setEnabled(false);
  label(client, "Label12",
        QStringLiteral("v%1.%2.%3").arg(VersionMajor).arg(VersionMinor).arg(VersionRevision), QRect(120, 2400, 555, 255));
}

}  // namespace ledgerlamp
