#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

#include "common/platform/FileNumbers.h"
#include "common/platform/Twips.h"
#include "tallyhold/windows/DAT_Info.h"
#include "tests/tallyhold/TallyholdWindowsFixture.h"

namespace tallyhold::testing {
namespace {

using platform::TwipsToPixelsX;
using platform::TwipsToPixelsY;
using TallyholdFrameTest = WindowsFixture;

struct Item {
  QString name;
  QString text;
  QKeySequence shortcut;
  bool enabled;
  bool checked;
};

QList<Item> itemsOf(const QMenu* menu) {
  QList<Item> items;
  for (const QAction* a : menu->actions())
    items.append(
        {a->objectName(), a->isSeparator() ? "-" : a->text(), a->shortcut(), a->isEnabled(), a->isChecked()});
  return items;
}

void expectItems(const QMenu* menu, const QList<Item>& expected) {
  ASSERT_NE(menu, nullptr);
  const QList<Item> actual = itemsOf(menu);
  ASSERT_EQ(actual.size(), expected.size()) << menu->objectName().toStdString();
  for (int i = 0; i < actual.size(); ++i) {
    EXPECT_EQ(actual[i].name, expected[i].name);
    EXPECT_EQ(actual[i].text, expected[i].text) << expected[i].name.toStdString();
    EXPECT_EQ(actual[i].shortcut, expected[i].shortcut) << expected[i].name.toStdString();
    EXPECT_EQ(actual[i].enabled, expected[i].enabled) << expected[i].name.toStdString();
    EXPECT_EQ(actual[i].checked, expected[i].checked) << expected[i].name.toStdString();
  }
}

void expectPlaced(Main_Container& frame, const DAT_Info* info) {
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->x(), frame.frameGeometry().width() - TwipsToPixelsX(2200));
  EXPECT_EQ(info->y(), TwipsToPixelsY(100));
}

TEST(TallyholdProgramState, TheFirstArchiveWindowGetsSlot256AndSlotsCountPastSixteenBits) {
  ProgramState state;
  EXPECT_EQ(state.DATWindows.size(), 256u);
  EXPECT_EQ(state.AddWindowSlot(), 256);
  EXPECT_EQ(state.AddWindowSlot(), 257);
  EXPECT_EQ(state.WindowInSlot(256), nullptr);
  EXPECT_EQ(state.WindowInSlot(-1), nullptr);
  EXPECT_EQ(state.WindowInSlot(258), nullptr);
  while (state.DATWindows.size() < 40000) state.AddWindowSlot();
  EXPECT_EQ(state.AddWindowSlot(), 40000);
}

TEST_F(TallyholdFrameTest, StartsWithItsMenusStatusAndInformationWindow) {
  EXPECT_EQ(frame().windowTitle(), "Tallyhold! v1.1");
  EXPECT_EQ(frame().centralWidget()->width(), TwipsToPixelsX(9135));
  EXPECT_EQ(frame().centralWidget()->height() + frame().statusBar()->height(), TwipsToPixelsY(6615));
  EXPECT_EQ(state().DATFiles.Count(), 0);
  EXPECT_EQ(state().DATWindows.size(), 256u);

  QStringList bar;
  for (const QAction* a : frame().menuBar()->actions()) bar << a->objectName() + "=" + a->text();
  EXPECT_EQ(bar, (QStringList{"menuitem001=&File", "menuitem9032=&View", "menuitem002=&Tools", "mnuWindow=&Window",
                              "menuitem8932=&About"}));
  expectItems(frame().findChild<QMenu*>("menuitem001"),
              {{"mnuOpenDAT", "Open DAT...", QKeySequence("Ctrl+O"), true, false},
               {"sep98", "-", {}, true, false},
               {"exit", "E&xit", {}, true, false}});
  expectItems(frame().findChild<QMenu*>("menuitem9032"), {{"mnuShowDAT", "Show DAT Information", {}, true, true},
                                                          {"mnuAllFolders", "All folders", {}, true, false}});
  expectItems(frame().findChild<QMenu*>("menuitem002"),
              {{"extractselected", "Extract selected files or directories...", QKeySequence("F3"), false, false},
               {"extractall", "Extract entire DAT...", QKeySequence("F4"), false, false},
               {"mnuTestDAT", "Test DAT", {}, true, false},
               {"mnuFind", "Find entries...", QKeySequence("Ctrl+F"), true, false},
               {"sepChange", "-", {}, true, false},
               {"mnuDelete", "Delete", {}, true, false},
               {"mnuAddFiles", "Add files...", {}, true, false},
               {"mnuNewDAT", "New DAT from folder...", {}, true, false}});
  // The popups are the frame's menus but never stand on its menu bar.
  const auto* listPopup = frame().findChild<QMenu*>("mnuListView");
  const auto* treePopup = frame().findChild<QMenu*>("mnuTreeView");
  expectItems(listPopup, {{"mnuconExtractListView", "Extract...", {}, true, false},
                          {"mnuconExtractListEntireDAT", "Extract entire DAT...", {}, true, false},
                          {"mnuconDeleteListView", "Delete", {}, true, false}});
  expectItems(treePopup, {{"mnuconExtractTreeView", "Extract...", {}, true, false},
                          {"mnuconExtractTreeEntireDAT", "Extract entire DAT...", {}, true, false}});
  EXPECT_EQ(listPopup->title(), "ContextListView");
  EXPECT_EQ(treePopup->title(), "ContextTreeView");
  EXPECT_EQ(&frame().ListPopup(), listPopup);
  EXPECT_EQ(&frame().TreePopup(), treePopup);
  EXPECT_FALSE(frame().menuBar()->actions().contains(listPopup->menuAction()));
  EXPECT_FALSE(frame().menuBar()->actions().contains(treePopup->menuAction()));

  const auto* status = frame().findChild<QStatusBar*>("StatusBar");
  ASSERT_NE(status, nullptr);
  EXPECT_EQ(status->height(), TwipsToPixelsY(315));
  EXPECT_EQ(statusText(), "Nothing to do.");

  EXPECT_TRUE(info()->isVisible());
  EXPECT_EQ(info()->windowTitle(), "DAT Information");
  expectPlaced(frame(), info());
}

TEST_F(TallyholdFrameTest, InformationWindowHasItsLabelsAndTooltips) {
  const QList<QStringList> rows = {{"Label1", "DataSize:", "txtDataSize", "Total size of the archive"},
                                   {"Label2", "TreeSize:", "txtTreeSize",
                                    "Total size of the TreeDir including FilesTotal"},
                                   {"Label3", "FilesTotal:", "txtFilesTotal", "How many files are in the DAT"},
                                   {"Label4", "DirTreeAddr:", "txtDirTreeAddr", "Starting location of TreeDir"}};
  for (const QStringList& row : rows) {
    const auto* caption = info()->findChild<QLabel*>(row[0]);
    const auto* value = info()->findChild<QLabel*>(row[2]);
    ASSERT_TRUE(caption && value) << row[0].toStdString();
    EXPECT_EQ(caption->text(), row[1]);
    EXPECT_EQ(caption->toolTip(), row[3]);
    EXPECT_EQ(value->toolTip(), row[3]);
    EXPECT_TRUE(value->text().isEmpty());
  }
  EXPECT_EQ(info()->findChild<QPushButton*>("Command1")->text(), "Hide this window");
  EXPECT_EQ(info()->widget()->size(), platform::TwipsSize(1770, 1530));
  EXPECT_EQ(info()->minimumSize(), info()->maximumSize());  // not resizable
}

TEST_F(TallyholdFrameTest, ViewCommandHidesAndShowsTheInformationWindowWithItsCheckMark) {
  QAction* view = action("mnuShowDAT");
  engine::ClsDatFile archive;
  archive.DataSize = 1234;
  archive.TreeSize = 56;
  archive.FilesTotal = 2;
  archive.DirTreeAddr = 1000000;
  info()->ShowValues(archive);
  EXPECT_EQ(infoValue("txtDirTreeAddr"), "F4240");

  view->trigger();
  EXPECT_FALSE(info()->isVisible());
  EXPECT_FALSE(view->isChecked());
  view->trigger();
  EXPECT_TRUE(info()->isVisible());
  EXPECT_TRUE(view->isChecked());

  // "Hide this window" keeps the values for the next View command.
  QTest::mouseClick(&child<QPushButton>(*info(), "Command1"), Qt::LeftButton);
  EXPECT_FALSE(info()->isVisible());
  EXPECT_FALSE(view->isChecked());
  frame().move(frame().pos() + QPoint(5, 0));
  view->trigger();
  EXPECT_TRUE(info()->isVisible());
  EXPECT_TRUE(view->isChecked());
  EXPECT_EQ(infoValue("txtDataSize"), "1234");
  expectPlaced(frame(), info());

  // The close box discards the window; View makes a new, empty one.
  info()->close();
  flushDeletes();
  EXPECT_EQ(info(), nullptr);
  EXPECT_FALSE(view->isChecked());
  view->trigger();
  ASSERT_NE(info(), nullptr);
  EXPECT_TRUE(info()->isVisible());
  EXPECT_TRUE(infoValue("txtDataSize").isEmpty());
  EXPECT_TRUE(view->isChecked());
}

TEST_F(TallyholdFrameTest, InformationWindowFollowsEveryResizeOfTheFrame) {
  for (const QSize size : {QSize(800, 600), QSize(500, 400), QSize(1000, 700)}) {
    frame().resize(size);
    expectPlaced(frame(), info());
  }
}

TEST_F(TallyholdFrameTest, ExitAndTheCloseBoxEndTheProgramAtOnce) {
  const QString path = write(testsupport::DatWriter().add("A\\B", "x"));
  ASSERT_NE(openViaMenu(path), nullptr);
  action("exit")->trigger();
  EXPECT_EQ(ending.calls(), 1);
  EXPECT_EQ(platform::OpenCount(), 0);

  // The close box neither asks nor lets the archive windows release anything.
  frame().show();
  frame().close();
  EXPECT_EQ(ending.calls(), 2);
  EXPECT_EQ(state().DATFiles.Count(), 1);
  EXPECT_TRUE(dialogs.messages().isEmpty());
}

TEST_F(TallyholdFrameTest, AtStartOnlyCtrlOOfTheShortcutsActs) {
  frame().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&frame()));
  QTest::keyClick(&frame(), Qt::Key_F3);
  QTest::keyClick(&frame(), Qt::Key_F4);
  EXPECT_TRUE(dialogs.shown().isEmpty());

  QTest::keyClick(&frame(), Qt::Key_O, Qt::ControlModifier);
  ASSERT_EQ(dialogs.shown().size(), 1);
  testsupport::ExpectOpenDatBox(dialogs.shown().first(), "Skarrow 2 DAT Files (*.dat)");
  // Cancelled: nothing to do.
  EXPECT_EQ(statusText(), "Nothing to do.");
  EXPECT_EQ(state().DATFiles.Count(), 0);
}

}  // namespace
}  // namespace tallyhold::testing
