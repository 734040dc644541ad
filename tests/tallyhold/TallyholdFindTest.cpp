// Find entries through the real windows: the pattern typed into the box,
// results clicked, and the extraction dialog and the archive window they lead to.
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>
#include <QUrl>

#include "tallyhold/windows/DAT_Container.h"
#include "tallyhold/windows/DragFolder.h"
#include "tallyhold/windows/EntryDrag.h"
#include "tallyhold/windows/frmExtract.h"
#include "tallyhold/windows/frmFind.h"
#include "tests/tallyhold/ExtractDialogsFixture.h"

namespace tallyhold::testing {
namespace {

using testsupport::DatWriter;
using testsupport::ReadFile;
using testsupport::SampleText;

const QByteArray Runner1 = SampleText(9000, 1);

DatWriter findWriter() {
  DatWriter writer;
  writer.add("TOP.TXT", "top");
  writer.add("ART\\CRITTERS\\RUNNER01.FRM", Runner1, true);
  writer.add("ART\\CRITTERS\\RUNNER02.FRM", "r2");
  writer.add("ART\\CRITTERS\\OLD\\RUNNER01.FRM", "old");
  writer.add("Art\\critters\\RUNNER03.FRM", "r3");
  writer.add("ART\\ITEMS\\ARMOR\\HEAVY\\RUNNER04.FRM", "deep");
  return writer;
}

class TallyholdFindTest : public ExtractDialogsFixture {
 protected:
  void SetUp() override {
    ExtractDialogsFixture::SetUp();
    window = openViaMenu(write(findWriter()));
    ASSERT_NE(window, nullptr);
    dialogs.clear();
    frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame()));
    QTest::keyClick(&frame(), Qt::Key_F, Qt::ControlModifier);
    find = frame().findChild<frmFind*>("frmFind");
    ASSERT_NE(find, nullptr);
    ASSERT_TRUE(find->isVisible());
  }

  // Types into the box as the user does, then waits for its results.
  void type(const QString& text) {
    QTest::keyClicks(&child<QLineEdit>(*find, "txtPattern"), text);
    waitForResults();
  }

  void waitForResults() {
    QElapsedTimer waited;
    waited.start();
    while (child<QLabel>(*find, "labStatus").text() == "Searching..." && waited.elapsed() < 10'000)
      QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  }

  QTreeView& results() const { return child<QTreeView>(*find, "lstResults"); }

  QList<QStringList> rows() const {
    QList<QStringList> rows;
    const QAbstractItemModel& model = *results().model();
    for (int row = 0; row < model.rowCount(); ++row) {
      QStringList cells;
      for (int column = 0; column < model.columnCount(); ++column)
        cells << model.index(row, column).data().toString();
      rows << cells;
    }
    return rows;
  }

  // Clicks the rows, the first plainly, the others with Ctrl held.
  void clickRows(const QList<int>& rows) {
    Qt::KeyboardModifiers modifiers;
    for (int row : rows) {
      QTest::mouseClick(results().viewport(), Qt::LeftButton, modifiers,
                        results().visualRect(results().model()->index(row, 0)).center());
      modifiers = Qt::ControlModifier;
    }
  }

  void click(const char* button) { QTest::mouseClick(&child<QPushButton>(*find, button), Qt::LeftButton); }

  DAT_Container* window = nullptr;
  frmFind* find = nullptr;
};

TEST_F(TallyholdFindTest, TypingAPatternListsTheEntriesItTakesWithTheirSizes) {
  type("art/CRITTERS/*runner0?.frm");
  const QString packed = QString::number(testsupport::ZlibCompress(Runner1).size());
  EXPECT_EQ(rows(), (QList<QStringList>{{"ART\\CRITTERS\\RUNNER01.FRM", "9000", packed, "True"},
                                        {"ART\\CRITTERS\\RUNNER02.FRM", "2", "2", "False"},
                                        {"Art\\critters\\RUNNER03.FRM", "2", "2", "False"},
                                        {"ART\\CRITTERS\\OLD\\RUNNER01.FRM", "3", "3", "False"}}));
  EXPECT_EQ(child<QLabel>(*find, "labStatus").text(), "4 entries found");
  type("x");
  EXPECT_TRUE(rows().isEmpty());
  EXPECT_EQ(child<QLabel>(*find, "labStatus").text(), "No entry matches the pattern");
}

// RUNNER01 of ART\CRITTERS, not OLD's of the same name, and a deep entry.
TEST_F(TallyholdFindTest, ExtractOfTwoSelectedResultsWritesExactlyThoseTwo) {
  type("*runner0[14]*");
  ASSERT_EQ(rows().size(), 3);
  clickRows({0, 2});
  click("cmdExtract");
  auto* dialog = shownDialog<frmExtract>();
  ASSERT_NE(dialog, nullptr);
  EXPECT_FALSE(find->isEnabled());
  const QString dest = folder("out");
  runInto(*dialog, dest);
  EXPECT_EQ(contentsOf(dest), (QStringList{"RUNNER01.FRM", "RUNNER04.FRM"}));
  EXPECT_EQ(ReadFile(dest + "/RUNNER01.FRM"), Runner1);
  EXPECT_EQ(ReadFile(dest + "/RUNNER04.FRM"), "deep");
  ASSERT_EQ(dialogs.messages().size(), 1);
  EXPECT_EQ(dialogs.messages().first().text, "2 files were succesfully extracted to " + dest + "/");
  expectWindowsRestored();
}

// By keys alone: Enter in the box goes to the first result, Enter there shows it.
TEST_F(TallyholdFindTest, ShowingAResultListsItsFolderAndSelectsTheEntry) {
  type("*/old/*");
  QTest::keyClick(&child<QLineEdit>(*find, "txtPattern"), Qt::Key_Return);
  QTest::keyClick(&results(), Qt::Key_Return);
  const QTreeWidgetItem* node = treeOf(*window).currentItem();
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(node->text(0), "OLD");
  EXPECT_EQ(rowsOf(*window).size(), 1);
  EXPECT_EQ(window->SelectedNames(), QStringList{"RUNNER01.FRM"});
  EXPECT_EQ(state().ActivePane, Pane::List);
  EXPECT_EQ(state().ActiveDAT.Index, window->ArchiveNumber());
}

// Dragged out, results of two folders arrive as files with their bytes.
TEST_F(TallyholdFindTest, ADragOfResultsCarriesTheirFiles) {
  type("*runner0[24]*");
  clickRows({0, 1});
  EntryMimeData data(find->Dragged());
  QStringList files;
  for (const QUrl& url : data.urls())
    files << QFileInfo(url.toLocalFile()).fileName() + "=" + ReadFile(url.toLocalFile());
  EXPECT_EQ(files, (QStringList{"RUNNER02.FRM=r2", "RUNNER04.FRM=deep"}));
  dragfolder::RemoveAll();
}

// Five levels deep: the scan's tree has no node for it.
TEST_F(TallyholdFindTest, ShowingADeepEntryTurnsAllFoldersOn) {
  type("*runner04*");
  clickRows({0});
  click("cmdShowFolder");
  EXPECT_TRUE(action("mnuAllFolders")->isChecked());
  const QTreeWidgetItem* node = treeOf(*window).currentItem();
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(node->text(0), "HEAVY");
  EXPECT_EQ(window->SelectedNames(), QStringList{"RUNNER04.FRM"});
  EXPECT_TRUE(dialogs.messages().isEmpty());
}

// The archive's file keeps its number when read again: old offsets would
// read the new file's bytes.
TEST_F(TallyholdFindTest, AfterADeleteTheResultsAreOfTheNewArchive) {
  type("*runner01*");
  ASSERT_EQ(rows().size(), 2);
  clickRows({0});
  click("cmdShowFolder");
  ASSERT_EQ(window->SelectedNames(), QStringList{"RUNNER01.FRM"});
  dialogs.answerMessage(platform::MsgAnswer::Yes);
  action("mnuDelete")->trigger();
  waitForResults();
  EXPECT_EQ(rows(), (QList<QStringList>{{"ART\\CRITTERS\\OLD\\RUNNER01.FRM", "3", "3", "False"}}));

  clickRows({0});
  click("cmdExtract");
  auto* dialog = shownDialog<frmExtract>();
  ASSERT_NE(dialog, nullptr);
  const QString dest = folder("out");
  runInto(*dialog, dest);
  EXPECT_EQ(contentsOf(dest), QStringList{"RUNNER01.FRM"});
  EXPECT_EQ(ReadFile(dest + "/RUNNER01.FRM"), "old");
}

TEST_F(TallyholdFindTest, ClosingTheArchiveWindowClosesItsFindWindow) {
  type("*");
  window->close();
  flushDeletes();
  EXPECT_EQ(frame().findChild<frmFind*>("frmFind"), nullptr);
}

}  // namespace
}  // namespace tallyhold::testing
