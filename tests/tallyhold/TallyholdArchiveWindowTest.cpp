// The archive window itself: layout, panes, keys, popups, activation and close.
#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>

#include "common/platform/FileNumbers.h"
#include "common/platform/Twips.h"
#include "engine/archive/DATFunctions.h"
#include "tallyhold/windows/DAT_Container.h"
#include "tallyhold/windows/DAT_Info.h"
#include "tallyhold/windows/FolderListModel.h"
#include "tallyhold/windows/PaneLayout.h"
#include "tests/tallyhold/TallyholdWindowsFixture.h"

namespace tallyhold::testing {
namespace {

using platform::TwipsToPixelsX;
using testsupport::DatWriter;

TEST(TallyholdPaneLayoutTest, GivesTheDesignedNumbersAndNeverANegativeSize) {
  const PaneLayout layout = LayOutPanes(7500, 7000);
  EXPECT_EQ(layout.FrameTreeView, QRect(0, 0, 2500, 6600));
  EXPECT_EQ(layout.FrameListView, QRect(2520, 0, 4830, 6600));
  EXPECT_EQ(layout.TreeView, QRect(60, 180, 2350, 6320));
  EXPECT_EQ(layout.ListView, QRect(60, 150, 4680, 6370));
  EXPECT_EQ(LayOutPanes(7501, 7000).FrameTreeView.width(), 2500);  // 2500.33
  EXPECT_EQ(LayOutPanes(7502, 7000).FrameTreeView.width(), 2501);  // 2500.67

  for (const QSize outer : {QSize(0, 0), QSize(100, 100), QSize(479, 679), QSize(480, 680), QSize(-30, -30)}) {
    const PaneLayout tiny = LayOutPanes(outer.width(), outer.height());
    for (const QRect& pane : {tiny.FrameTreeView, tiny.FrameListView, tiny.TreeView, tiny.ListView}) {
      EXPECT_GE(pane.width(), 0);
      EXPECT_GE(pane.height(), 0);
    }
  }
}

TEST(TallyholdFolderListModel, KeepsTheRulesOfAModelThroughEveryListing) {
  engine::ColTrees trees;
  for (const char* name : {"A\\1", "A\\2", "B\\3"}) {
    auto entry = std::make_shared<engine::ClsTreeDir>();
    entry->Filename = name;
    engine::AddToFolder(trees, entry);
  }
  FolderListModel model;
  // A broken rule ends the test program.
  QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
  EXPECT_EQ(model.rowCount(), 0);
  model.SetListing(engine::FolderListing::Of(trees, "A\\"));
  ASSERT_EQ(model.rowCount(), 2);
  EXPECT_EQ(model.index(1, 0).data().toString(), "2");
  EXPECT_EQ(model.rowCount(model.index(0, 0)), 0);
  model.SetListing(engine::FolderListing::Of(trees, "C\\"));
  ASSERT_EQ(model.rowCount(), 1);
  EXPECT_EQ(model.index(0, 0).data().toString(), "Empty folder");
  model.SetListing({});
  EXPECT_EQ(model.rowCount(), 0);
}

class TallyholdArchiveWindowTest : public WindowsFixture {
 protected:
  void SetUp() override {
    WindowsFixture::SetUp();
    window = openViaMenu(write(DatWriter().add("A\\1", "x").add("A\\2", "yy").add("B\\3", "z")));
    ASSERT_NE(window, nullptr);
    clickNode(*window, "Mother0");
  }

  QTreeWidget& tree() const { return treeOf(*window); }
  QTreeView& list() const { return listOf(*window); }

  DAT_Container* window = nullptr;
};

TEST_F(TallyholdArchiveWindowTest, PanesFollowTheWindowsSize) {
  for (const QSize size : {QSize(500, 400), QSize(300, 600), QSize(20, 30)}) {
    window->resize(size);
    const PaneLayout layout = LayOutPanes(platform::PixelsToTwipsX(window->width()),
                                          platform::PixelsToTwipsY(window->height()));
    EXPECT_EQ(child<QFrame>(*window, "FrameTreeView").geometry(),
              platform::TwipsRect(0, 0, layout.FrameTreeView.width(), layout.FrameTreeView.height()));
    EXPECT_EQ(child<QFrame>(*window, "FrameListView").geometry().x(), TwipsToPixelsX(layout.FrameListView.x()));
    EXPECT_EQ(list().width(), TwipsToPixelsX(layout.ListView.width()));
    EXPECT_EQ(tree().height(), platform::TwipsToPixelsY(layout.TreeView.height()));
  }
}

TEST_F(TallyholdArchiveWindowTest, PanesHaveTheirNamesFontsAndColumns) {
  for (const QWidget* pane : {static_cast<QWidget*>(&tree()), static_cast<QWidget*>(&list())}) {
    EXPECT_EQ(pane->font().family(), "Tahoma");
    EXPECT_DOUBLE_EQ(pane->font().pointSizeF(), 8.25);
  }
  const QAbstractItemModel* model = list().model();
  QStringList keys, headers;
  QList<int> widths;
  for (int c = 0; c < model->columnCount(); ++c) {
    keys << model->headerData(c, Qt::Horizontal, FolderListModel::ColumnKeyRole).toString();
    headers << model->headerData(c, Qt::Horizontal).toString();
    widths << list().header()->sectionSize(c);
  }
  EXPECT_EQ(keys, (QStringList{"filename", "filenamesize", "location", "realsize", "packedsize", "compression"}));
  EXPECT_EQ(headers, (QStringList{"Filename", "FilenameSize", "Offset", "RealSize", "packedSize", "Compression"}));
  EXPECT_EQ(widths, (QList<int>{TwipsToPixelsX(1240), TwipsToPixelsX(1140), TwipsToPixelsX(1440),
                                TwipsToPixelsX(1440), TwipsToPixelsX(1440), TwipsToPixelsX(1440)}));
  EXPECT_EQ(list().selectionMode(), QAbstractItemView::ExtendedSelection);
}

TEST_F(TallyholdArchiveWindowTest, ClicksInTheListChooseItsPaneAndHeadersNeverSort) {
  const QList<QStringList> before = rowsOf(*window);
  ASSERT_EQ(before.size(), 2);
  ASSERT_EQ(before[0][0], "1");
  QHeaderView* header = list().header();
  for (int column : {0, 3, 0}) {
    state().ActivePane = Pane::None;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
    EXPECT_EQ(state().ActivePane, Pane::List);
    EXPECT_EQ(rowsOf(*window), before);
  }
  state().ActivePane = Pane::Tree;
  // Several rows may be chosen at once; their names come in list order.
  selectRows(*window, {1, 0});
  EXPECT_EQ(state().ActivePane, Pane::List);
  EXPECT_EQ(window->SelectedNames(), (QStringList{"1", "2"}));
}

TEST_F(TallyholdArchiveWindowTest, LowerCaseRAndSRunTheExtractionCommands) {
  // The requests are counted here, not run: a dialog would take the keys.
  QObject::disconnect(window, &DAT_Container::ExtractSelectedRequested, &frame(), nullptr);
  QObject::disconnect(window, &DAT_Container::ExtractAllRequested, &frame(), nullptr);
  QSignalSpy selected(window, &DAT_Container::ExtractSelectedRequested);
  QSignalSpy all(window, &DAT_Container::ExtractAllRequested);
  QTest::keyClick(window, Qt::Key_R);
  QTest::keyClick(window, Qt::Key_S);
  QTest::keyClick(window, Qt::Key_S);
  QTest::keyClick(window, 'R');
  QTest::keyClick(window, 'S');
  QTest::keyClick(window, Qt::Key_X);
  EXPECT_EQ(selected.count(), 1);
  EXPECT_EQ(all.count(), 2);
}

TEST_F(TallyholdArchiveWindowTest, RightButtonReleaseOpensThePanesPopups) {
  const Pane paneBefore = state().ActivePane;
  QMenu& listPopup = child<QMenu>(frame(), "mnuListView");
  QMenu& treePopup = child<QMenu>(frame(), "mnuTreeView");
  QTest::mouseRelease(list().viewport(), Qt::RightButton, {}, QPoint(10, 10));
  EXPECT_TRUE(listPopup.isVisible());
  EXPECT_FALSE(treePopup.isVisible());
  listPopup.hide();
  QTest::mouseRelease(tree().viewport(), Qt::RightButton, {}, QPoint(10, 10));
  EXPECT_TRUE(treePopup.isVisible());
  treePopup.hide();
  EXPECT_EQ(state().ActivePane, paneBefore);
  QTest::mouseRelease(tree().viewport(), Qt::LeftButton, {}, QPoint(10, 200));
  EXPECT_FALSE(treePopup.isVisible());

  // Each item runs its command: the command's dialog opens.
  const QList<std::pair<const char*, const char*>> items = {{"mnuconExtractListView", "frmExtract"},
                                                            {"mnuconExtractTreeView", "frmExtract"},
                                                            {"mnuconExtractListEntireDAT", "frmExtractAll"},
                                                            {"mnuconExtractTreeEntireDAT", "frmExtractAll"}};
  for (const auto& [name, dialog] : items) {
    action(name)->trigger();
    QWidget* shown = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
      if (widget->isVisible() && widget->objectName() == QLatin1String(dialog)) shown = widget;
    ASSERT_NE(shown, nullptr) << name;
    shown->close();
    flushDeletes();
  }
}

TEST_F(TallyholdArchiveWindowTest, ActivationRecordsTheWindowAndClosingReleasesItsOwnArchive) {
  DAT_Container* other = openViaMenu(write(DatWriter().add("C\\4", "w"), "other.dat"));
  ASSERT_NE(other, nullptr);
  const ActiveDATRecord& active = state().ActiveDAT;
  frame().MdiArea().setActiveSubWindow(window);
  EXPECT_EQ(active.Caption, dir.filePath("archive.dat"));
  EXPECT_EQ(active.Index, 1);
  EXPECT_EQ(active.FileNumber, 1);
  EXPECT_EQ(active.WindowIndex, 256);
  frame().MdiArea().setActiveSubWindow(other);
  EXPECT_EQ(active.Index, 2);
  EXPECT_EQ(active.FileNumber, 2);
  EXPECT_EQ(active.WindowIndex, 257);

  // The information window shows the second archive; closing the first empties it.
  EXPECT_EQ(infoValue("txtFilesTotal"), "1");
  frame().MdiArea().setActiveSubWindow(window);
  window->close();
  flushDeletes();
  EXPECT_TRUE(infoValue("txtFilesTotal").isEmpty());
  EXPECT_TRUE(infoValue("txtDirTreeAddr").isEmpty());
  EXPECT_EQ(state().DATFiles.Find(1), nullptr);
  EXPECT_NE(state().DATFiles.Find(2), nullptr);
  EXPECT_FALSE(platform::IsOpen(1));
  EXPECT_TRUE(platform::IsOpen(2));
  EXPECT_EQ(state().DATWindows.size(), 258u);
  EXPECT_EQ(state().WindowInSlot(256), nullptr);
  EXPECT_EQ(state().WindowInSlot(257), other);
  EXPECT_TRUE(action("extractselected")->isEnabled());
}

TEST_F(TallyholdArchiveWindowTest, ANodeChosenInAnotherWindowMakesItTheActiveOne) {
  DAT_Container* other = openViaMenu(write(DatWriter().add("C\\4", "w"), "other.dat"));
  ASSERT_NE(other, nullptr);
  ASSERT_EQ(state().ActiveDAT.WindowIndex, other->Slot());
  clickNode(*window, "root");
  EXPECT_EQ(frame().MdiArea().activeSubWindow(), window);
  EXPECT_EQ(state().ActiveDAT.WindowIndex, window->Slot());
  EXPECT_EQ(state().ActiveDAT.Index, window->ArchiveNumber());
  EXPECT_EQ(state().ActiveDAT.Caption, window->windowTitle());
}

TEST_F(TallyholdArchiveWindowTest, ClosingTheActiveWindowNamesTheAreasNextActiveOneThenNone) {
  DAT_Container* other = openViaMenu(write(DatWriter().add("C\\4", "w"), "other.dat"));
  ASSERT_NE(other, nullptr);
  frame().MdiArea().setActiveSubWindow(window);
  frame().MdiArea().setActiveSubWindow(other);
  other->close();
  flushDeletes();
  EXPECT_EQ(state().ActiveDAT.WindowIndex, window->Slot());
  EXPECT_EQ(state().ActiveDAT.Index, window->ArchiveNumber());
  window->close();
  flushDeletes();
  EXPECT_EQ(state().ActiveDAT.WindowIndex, 0);
  EXPECT_EQ(state().ActiveDAT.Index, 0);
  EXPECT_TRUE(state().ActiveDAT.Caption.isEmpty());
}

using TallyholdExtractSelectedTest = WindowsFixture;

TEST_F(TallyholdExtractSelectedTest, AnEmptyListPaneIsRefused) {
  DAT_Container* window = openViaMenu(write(DatWriter().add("A\\B\\1", "x")));
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(rowsOf(*window)[0][0], "Empty folder");
  const QList<std::function<void()>> presses = {[&] { QTest::keyClick(window, Qt::Key_R); },
                                                [&] { action("extractselected")->trigger(); },
                                                [&] { action("mnuconExtractTreeView")->trigger(); }};
  for (const auto& press : presses) {
    dialogs.clear();
    press();
    ASSERT_EQ(dialogs.messages().size(), 1);
    const testsupport::ShownBox box = dialogs.messages().first();
    EXPECT_EQ(box.text, "Please select a folder or a group of files if you really want to extract");
    EXPECT_EQ(box.title, "No files/folder selected");
    EXPECT_EQ(box.icon, platform::MsgIcon::Exclamation);
  }
  // With every archive window closed there is nothing to extract either.
  window->close();
  flushDeletes();
  dialogs.clear();
  action("extractselected")->trigger();
  EXPECT_EQ(dialogs.messages().size(), 1);
}

}  // namespace
}  // namespace tallyhold::testing
