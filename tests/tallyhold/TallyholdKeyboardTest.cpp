// The archive windows by keyboard alone: panes chosen by keys, letters that
// stay the panes' own, the popup keys and the Window menu.
#include <QMdiArea>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>

#include "tallyhold/windows/DAT_Container.h"
#include "tallyhold/windows/frmExtract.h"
#include "tallyhold/windows/frmExtractAll.h"
#include "tests/tallyhold/ExtractDialogsFixture.h"

namespace tallyhold::testing {
namespace {

using testsupport::DatWriter;
using testsupport::ReadFile;

class TallyholdKeyboardTest : public ExtractDialogsFixture {
 protected:
  void SetUp() override {
    ExtractDialogsFixture::SetUp();
    archivePath = write(
        DatWriter().add("A\\1", "x").add("A\\2", "yy").add("A\\3", "zzz").add("SCRIPTS\\S.INT", "s"));
  }

  DAT_Container* openByKeys(const QString& path) {
    dialogs.answerOpenFile(path);
    QTest::keyClick(&frame(), Qt::Key_O, Qt::ControlModifier);
    // The scan's end gives the frame the activation back, which takes events here.
    EXPECT_TRUE(QTest::qWaitForWindowActive(&frame()));
    return state().LastWindow();
  }

  QList<QAction*> windowItems() {
    QMenu& menu = child<QMenu>(frame(), "mnuWindow");
    menu.popup(QPoint());
    menu.hide();
    return menu.findChildren<QAction*>(QStringLiteral("mnuWindowList"));
  }

  QString archivePath;
};

TEST_F(TallyholdKeyboardTest, KeysAloneExtractExactlyTheTwoSelectedFiles) {
  DAT_Container* window = openByKeys(archivePath);
  ASSERT_NE(window, nullptr);
  QTest::keyClick(&treeOf(*window), Qt::Key_Down);  // A
  QTest::keyClick(&listOf(*window), Qt::Key_Home);
  QTest::keyClick(&listOf(*window), Qt::Key_Down, Qt::ShiftModifier);
  QTest::keyClick(&frame(), Qt::Key_F3);
  frmExtract* dialog = shownDialog<frmExtract>();
  ASSERT_NE(dialog, nullptr);
  const QString dest = folder("out");
  ASSERT_TRUE(folderList(*dialog).SetPath(dest));
  QTest::keyClick(&child<QPushButton>(*dialog, "Command1"), Qt::Key_Space);
  flushDeletes();
  EXPECT_EQ(contentsOf(dest), (QStringList{"1", "2"}));
  EXPECT_EQ(ReadFile(dest + "/1"), "x");
  EXPECT_EQ(ReadFile(dest + "/2"), "yy");
}

TEST_F(TallyholdKeyboardTest, LettersTypedInThePanesFindEntriesAndOpenNoDialog) {
  DAT_Container* window = openViaMenu(archivePath);
  ASSERT_NE(window, nullptr);
  dialogs.clear();
  QTest::keyClick(&treeOf(*window), 's');
  EXPECT_EQ(window->SelectedFolderKey(), "SCRIPTS\\");
  EXPECT_EQ(rowsOf(*window)[0][0], "S.INT");
  QTest::keyClick(&listOf(*window), 'r');
  EXPECT_EQ(shownDialog<frmExtractAll>(), nullptr);
  EXPECT_EQ(shownDialog<frmExtract>(), nullptr);
  EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(TallyholdKeyboardTest, ListSelectionByKeysChoosesTheListAndTreeKeysTheTree) {
  DAT_Container* window = openViaMenu(archivePath);
  ASSERT_NE(window, nullptr);
  QTest::keyClick(&treeOf(*window), Qt::Key_Down);
  EXPECT_EQ(state().ActivePane, Pane::Tree);
  QTest::keyClick(&listOf(*window), Qt::Key_A, Qt::ControlModifier);  // Select all
  EXPECT_EQ(state().ActivePane, Pane::List);
  EXPECT_EQ(window->SelectedNames(), (QStringList{"1", "2", "3"}));
  QTest::keyClick(&treeOf(*window), Qt::Key_Up);
  EXPECT_EQ(state().ActivePane, Pane::Tree);
}

TEST_F(TallyholdKeyboardTest, ShiftF10AndTheMenuKeyOpenTheFocusedPanesPopup) {
  DAT_Container* window = openViaMenu(archivePath);
  ASSERT_NE(window, nullptr);
  QMenu& listPopup = child<QMenu>(frame(), "mnuListView");
  QMenu& treePopup = child<QMenu>(frame(), "mnuTreeView");
  QTest::keyClick(&listOf(*window), Qt::Key_F10, Qt::ShiftModifier);
  EXPECT_TRUE(listPopup.isVisible());
  EXPECT_FALSE(treePopup.isVisible());
  listPopup.hide();
  QTest::keyClick(&treeOf(*window), Qt::Key_Menu);
  EXPECT_TRUE(treePopup.isVisible());
  EXPECT_FALSE(listPopup.isVisible());
  treePopup.hide();
}

TEST_F(TallyholdKeyboardTest, TheWindowMenuListsTheArchiveWindowsAndActivatesTheChosenOne) {
  DAT_Container* first = openViaMenu(archivePath);
  DAT_Container* second = openViaMenu(write(DatWriter().add("B\\4", "w"), "a&b.dat"));
  ASSERT_TRUE(first && second);
  QList<QAction*> items = windowItems();
  ASSERT_EQ(items.size(), 2);
  EXPECT_EQ(items[0]->text(), "&1 " + archivePath);
  EXPECT_EQ(items[1]->text(), "&2 " + dir.filePath("a&&b.dat"));
  EXPECT_FALSE(items[0]->isChecked());
  EXPECT_TRUE(items[1]->isChecked());
  items[0]->trigger();
  EXPECT_EQ(frame().MdiArea().activeSubWindow(), first);
  EXPECT_EQ(state().ActiveDAT.WindowIndex, first->Slot());
  items = windowItems();
  EXPECT_TRUE(items[0]->isChecked());
  EXPECT_FALSE(items[1]->isChecked());
}

TEST_F(TallyholdKeyboardTest, NextAndPreviousGoRoundTheArchiveWindowsAndCloseClosesTheActiveOne) {
  DAT_Container* first = openByKeys(archivePath);
  DAT_Container* second = openByKeys(write(DatWriter().add("B\\4", "w"), "other.dat"));
  ASSERT_TRUE(first && second);
  QTest::keyClick(&frame(), Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(state().ActiveDAT.WindowIndex, first->Slot());
  QTest::keyClick(&frame(), Qt::Key_F6, Qt::ControlModifier);
  EXPECT_EQ(state().ActiveDAT.WindowIndex, second->Slot());
  QTest::keyClick(&frame(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);  // Previous
  EXPECT_EQ(state().ActiveDAT.WindowIndex, first->Slot());
  QTest::keyClick(&frame(), Qt::Key_Tab, Qt::ControlModifier);
  QTest::keyClick(&frame(), Qt::Key_W, Qt::ControlModifier);
  flushDeletes();
  EXPECT_EQ(archiveWindowCount(), 1);
  EXPECT_EQ(state().ActiveDAT.WindowIndex, first->Slot());
  QTest::keyClick(&frame(), Qt::Key_F4, Qt::ControlModifier);
  flushDeletes();
  EXPECT_EQ(archiveWindowCount(), 0);
}

}  // namespace
}  // namespace tallyhold::testing
