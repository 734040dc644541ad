#include <QAction>
#include <QDialog>
#include <QGroupBox>
#include <QMenuBar>
#include <QTimer>
#include <utility>

#include "common/platform/Twips.h"
#include "tests/ledgerlamp/LedgerlampWindowTest.h"
#include "tests/widgets/Accessible.h"

using namespace ledgerlamptest;
using platform::TwipsRect;

namespace {

using LedgerlampMain = LedgerlampWindowTest;

const char* const Boxes[] = {"txtFilesTotal", "txtTreeSize",   "txtDataSize", "txtFilename", "txtFilenameSize",
                             "txtType",       "txtPackedSize", "txtRealSize", "txtOffset",   "txtIndex"};

TEST_F(LedgerlampMain, StartsWithOnlyOpenAboutAndExitUsable) {
  EXPECT_EQ(window.windowTitle(), "Ledgerlamp 1.1");
  const QList<QAction*> menu = window.menuBar()->actions();
  ASSERT_EQ(menu.size(), 2);
  EXPECT_EQ(menu[0]->objectName(), "exit");
  EXPECT_EQ(menu[0]->text(), "E&xit");
  EXPECT_EQ(menu[1]->objectName(), "aboutmenu");
  EXPECT_EQ(menu[1]->text(), "&About...");
  EXPECT_TRUE(menu[0]->isEnabled() && menu[1]->isEnabled());

  for (const char* name : Boxes) {
    EXPECT_TRUE(text(name).isEmpty()) << name;
    EXPECT_TRUE(child<QLineEdit>(name)->isReadOnly()) << name;
  }
  EXPECT_EQ(commands(), "------");
  for (const char* name : {"cmdOpenDat", "Command1", "cmdExit"})
    EXPECT_TRUE(child<QPushButton>(name)->isEnabled()) << name;
  EXPECT_TRUE(position().isEmpty());
  EXPECT_EQ(child<QLabel>("Label12")->text(), "v1.1.3");
}

TEST_F(LedgerlampMain, ScreenReadersNameEveryValueBoxAfterItsLabel) {
  const std::pair<const char*, const char*> named[] = {{"txtFilesTotal", "FilesTotal:"},
                                                       {"txtTreeSize", "TreeSize:"},
                                                       {"txtDataSize", "DataSize:"},
                                                       {"txtFilename", "Filename:"},
                                                       {"txtFilenameSize", "FilenameSize:"},
                                                       {"txtType", "Type:"},
                                                       {"txtPackedSize", "PackedSize:"},
                                                       {"txtRealSize", "RealSize:"},
                                                       {"txtOffset", "Offset:"},
                                                       {"txtIndex", "Index:"}};
  for (const auto& [box, name] : named) EXPECT_EQ(testsupport::AccessibleName(child<QLineEdit>(box)), name) << box;
}

TEST_F(LedgerlampMain, ControlsStandWhereAndAsTheyWereDesigned) {
  EXPECT_EQ(window.centralWidget()->size(), platform::TwipsSize(6945, 2760));
  struct Place {
    const char* name;
    QString caption;
    QRect twips;
  };
  const Place buttons[] = {{"cmdOpenDat", "Open DAT", {180, 1800, 1095, 435}},
                           {"cmdUnloadDat", "Unload Dat", {1620, 1800, 1095, 435}},
                           {"Command1", "About", {960, 2340, 735, 315}},
                           {"cmdExit", "Exit", {1980, 2340, 735, 315}},
                           {"cmdFirst", "<<- First", {2820, 660, 975, 315}},
                           {"cmdPrev", "<- Previous", {2820, 960, 975, 315}},
                           {"cmdNext", "Next ->", {2820, 1320, 975, 315}},
                           {"cmdLast", "Last ->>", {2820, 1620, 975, 315}},
                           {"cmdJump", "Jump to index...", {2520, 1980, 1275, 255}}};
  for (const Place& place : buttons) {
    auto* button = child<QPushButton>(place.name);
    EXPECT_EQ(button->text(), place.caption) << place.name;
    const QRect& t = place.twips;
    EXPECT_EQ(button->geometry(), TwipsRect(t)) << place.name;
  }
  auto* frame1 = child<QGroupBox>("Frame1");
  auto* frame2 = child<QGroupBox>("Frame2");
  EXPECT_EQ(frame1->title(), "DAT information");
  EXPECT_EQ(frame1->geometry(), TwipsRect(180, 120, 2535, 1575));
  EXPECT_EQ(frame2->title(), "Tree Information");
  EXPECT_EQ(frame2->geometry(), TwipsRect(2820, 120, 3975, 2535));
  EXPECT_EQ(child<QPushButton>("cmdFirst")->parentWidget(), frame2);
  EXPECT_EQ(child<QLineEdit>("txtDataSize")->geometry(), TwipsRect(1020, 1080, 1335, 315));
  EXPECT_EQ(child<QLineEdit>("txtFilesTotal")->parentWidget(), frame1);
  EXPECT_EQ(child<QLabel>("Label11")->geometry(), TwipsRect(2400, 2280, 1455, 195));

  const QStringList captions = {"Filename:", "FilenameSize:", "Type:", "PackedSize:",
                                "RealSize:", "Offset:",       "Index:"};
  const char* rows[] = {"txtFilename", "txtFilenameSize", "txtType", "txtPackedSize",
                        "txtRealSize", "txtOffset",       "txtIndex"};
  for (int row = 0; row < 7; ++row) {
    auto* label = frame2->findChild<QLabel*>(QStringLiteral("Label%1").arg(row + 4));
    ASSERT_NE(label, nullptr) << row;
    EXPECT_EQ(label->text(), captions[row]);
    EXPECT_EQ(child<QLineEdit>(rows[row])->geometry(),
              TwipsRect(1260, 300 * (row + 1), row == 0 ? 2535 : 1035, 285));
  }
  for (const auto& [name, caption] :
       {std::pair{"Label1", "FilesTotal:"}, std::pair{"Label2", "TreeSize:"}, std::pair{"Label3", "DataSize:"}})
    EXPECT_EQ(frame1->findChild<QLabel*>(name)->text(), caption);

  const QFont open = child<QPushButton>("cmdOpenDat")->font();
  EXPECT_EQ(open.family(), "Tahoma");
  EXPECT_DOUBLE_EQ(open.pointSizeF(), 8.25);
  EXPECT_TRUE(open.bold());
  EXPECT_FALSE(child<QPushButton>("cmdExit")->font().bold());
  EXPECT_EQ(child<QLabel>("Label11")->font().family(), "Small Fonts");
  EXPECT_DOUBLE_EQ(child<QLabel>("Label11")->font().pointSizeF(), 6.75);
}

TEST_F(LedgerlampMain, AboutIsModalFromButtonAndMenuAndClosesOnOk) {
  const QString path = open("shown.dat", FiveRecords().build());
  QStringList seen;
  auto inspectAndClose = [&] {
    auto* about = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(about, nullptr);
    seen << about->objectName() << about->windowTitle();
    for (const char* name : {"labAppName", "labVersion", "labEducational", "Label1"})
      seen << about->findChild<QLabel*>(name)->text();
    auto* fLoad = about->findChild<QLineEdit*>("fLoad");
    seen << fLoad->text() << (fLoad->isEnabled() ? "enabled" : "disabled");
    QTest::mouseClick(about->findChild<QLabel*>("lnkGroup"), Qt::LeftButton);
    QTest::mouseClick(about->findChild<QLabel*>("lnkAuthor"), Qt::LeftButton);
    QTest::mouseClick(about->findChild<QPushButton*>("Command1"), Qt::LeftButton);
  };

  QTimer::singleShot(0, inspectAndClose);
  click("Command1");
  EXPECT_EQ(seen, QStringList({"About", "About...", "Ledgerlamp", "Version 1.1 Build 3",
                               "FOR EDUCATIONAL PURPOSES ONLY!", "File currently loaded:", path, "disabled"}));
  ASSERT_EQ(shell.addresses().size(), 2);
  EXPECT_TRUE(shell.addresses()[0].startsWith("https://"));
  EXPECT_TRUE(shell.addresses()[1].startsWith("MAILTO:"));
  EXPECT_EQ(window.findChild<QDialog*>("About"), nullptr);  // "OK!" destroys it

  seen.clear();
  QTimer::singleShot(0, inspectAndClose);
  child<QAction>("aboutmenu")->trigger();
  ASSERT_EQ(seen.size(), 8);
  EXPECT_EQ(seen[0], "About");
  EXPECT_EQ(seen[6], "");  // a new window: the path went with the one destroyed
}

TEST_F(LedgerlampMain, UnloadReturnsToTheStartStateAndClosesTheArchive) {
  const QString path = open("five.dat", FiveRecords().build());
  click("cmdLast");
  ASSERT_EQ(platform::OpenCount(), 1);
  click("cmdUnloadDat");
  for (const char* name : Boxes) EXPECT_TRUE(text(name).isEmpty()) << name;
  EXPECT_EQ(commands(), "------");
  EXPECT_TRUE(position().isEmpty());
  EXPECT_EQ(platform::OpenCount(), 0);
  EXPECT_EQ(window.findChild<QLineEdit*>("fLoad")->text(), path);

  open("again.dat", FiveRecords().build());  // loads as from the start
  EXPECT_EQ(commands(), "--NLJU");
}

TEST_F(LedgerlampMain, ExitMenuAndCloseBoxEndAtOnceWithTheFilesClosed) {
  open("five.dat", FiveRecords().build());
  click("cmdExit");
  EXPECT_EQ(ending.calls(), 1);
  EXPECT_EQ(platform::OpenCount(), 0);

  open("five.dat", FiveRecords().build());
  child<QAction>("exit")->trigger();
  EXPECT_EQ(ending.calls(), 2);
  EXPECT_EQ(platform::OpenCount(), 0);

  open("five.dat", FiveRecords().build());
  dialogs.clear();
  EXPECT_TRUE(window.close());
  EXPECT_EQ(ending.calls(), 3);
  EXPECT_EQ(platform::OpenCount(), 0);
  EXPECT_TRUE(dialogs.shown().isEmpty());  // no question asked
}

}  // namespace
