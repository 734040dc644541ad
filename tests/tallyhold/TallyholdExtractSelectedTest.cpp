// Extract selected end to end: a folder or entries chosen in the archive
// window as the user does, the dialog opened by the frame's commands and run
// by its own button.
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTest>
#include <QTreeWidget>

#include "common/platform/Twips.h"
#include "engine/extract/ExtractionPlan.h"
#include "tallyhold/windows/DAT_Container.h"
#include "tallyhold/windows/ProgressForm.h"
#include "tallyhold/windows/frmExtract.h"
#include "tallyhold/windows/frmExtractAll.h"
#include "tests/tallyhold/ExtractDialogsFixture.h"

namespace tallyhold::testing {
namespace {

using testsupport::DatWriter;
using testsupport::ReadFile;
using testsupport::SampleText;

const QByteArray Runner1 = SampleText(9000, 1);

// ART\CRITTERS\ holds three entries, one of them spelled Art\critters\, and a
// subfolder with an entry of the same name as one of them.
DatWriter crittersWriter() {
  DatWriter writer;
  writer.add("TOP.TXT", "top");
  writer.add("ART\\CRITTERS\\RUNNER01.FRM", Runner1, true);
  writer.add("ART\\CRITTERS\\RUNNER02.FRM", "r2");
  writer.add("ART\\CRITTERS\\OLD\\RUNNER01.FRM", "old");
  writer.add("Art\\critters\\RUNNER03.FRM", SampleText(700, 3), true);
  writer.add("MUSIC\\SONG.ACM", "song");
  return writer;
}

class TallyholdExtractSelectedTest : public ExtractDialogsFixture {
 protected:
  void SetUp() override {
    ExtractDialogsFixture::SetUp();
    archivePath = write(crittersWriter());
    window = openViaMenu(archivePath);
    ASSERT_NE(window, nullptr);
    dialogs.clear();
  }

  frmExtract* openDialog(const char* command = "extractselected") {
    action(command)->trigger();
    return shownDialog<frmExtract>();
  }

  void expectCompletion(const QString& text) {
    ASSERT_EQ(dialogs.messages().size(), 1);
    const testsupport::ShownBox box = dialogs.messages().first();
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.title, "Extraction complete!");
    EXPECT_EQ(box.icon, platform::MsgIcon::Information);
    EXPECT_EQ(box.buttons, platform::MsgButtons::Ok);
  }

  static QListWidget& names(frmExtract& dialog) { return child<QListWidget>(dialog, "List1"); }
  static QString textOf(frmExtract& dialog, const char* name) {
    return child<QWidget>(dialog, name).property("text").toString();
  }

  QString archivePath;
  DAT_Container* window = nullptr;
};

// The list and the commands agree, however the tree's node changed.
TEST_F(TallyholdExtractSelectedTest, KeysAndTheRightButtonListTheNodeWhoseEntriesAreThenWritten) {
  clickNode(*window, "Child10");
  QTest::keyClick(&treeOf(*window), Qt::Key_Down);  // ART\CRITTERS\OLD\: RUNNER01.FRM of other contents
  EXPECT_EQ(rowsOf(*window).size(), 1);
  EXPECT_EQ(state().ActivePane, Pane::Tree);
  selectRows(*window, {0});
  frmExtract* dialog = openDialog();
  ASSERT_NE(dialog, nullptr);
  runInto(*dialog, folder("keys"));
  EXPECT_EQ(ReadFile(dir.filePath("keys/RUNNER01.FRM")), "old");

  clickNode(*window, "Child10", Qt::RightButton);  // the way to the popup's "Extract..."
  child<QMenu>(frame(), "mnuTreeView").hide();
  EXPECT_EQ(rowsOf(*window).size(), 3);
  selectRows(*window, {0});
  dialog = openDialog("mnuconExtractListView");
  ASSERT_NE(dialog, nullptr);
  runInto(*dialog, folder("right"));
  EXPECT_EQ(ReadFile(dir.filePath("right/RUNNER01.FRM")), Runner1);
}

TEST_F(TallyholdExtractSelectedTest, AfterOneOfTwoWindowsClosesF3AndF4WorkOnTheOther) {
  DAT_Container* second = openViaMenu(write(DatWriter().add("TWO\\B", "2"), "two.dat"));
  ASSERT_NE(second, nullptr);
  second->close();
  flushDeletes();
  EXPECT_EQ(state().ActiveDAT.Caption, archivePath);

  QTest::keyClick(&frame(), Qt::Key_F4);
  auto* all = shownDialog<frmExtractAll>();
  ASSERT_NE(all, nullptr);
  EXPECT_TRUE(all->DestRoot().endsWith("/archive.dat"));
  // F3's item; its key no longer reaches the frame that the dialog disabled.
  action("extractselected")->trigger();
  EXPECT_NE(shownDialog<frmExtract>(), nullptr);
  EXPECT_TRUE(dialogs.messages().isEmpty());
}

TEST_F(TallyholdExtractSelectedTest, ARefusedSecondArchiveLeavesTheFirstToTheNextFolderClick) {
  testsupport::FixtureEntry broken{"BAD\\X", "x"};
  broken.filenameSize = -5;
  EXPECT_EQ(openViaMenu(write(DatWriter().add("OK", "1").add(broken), "broken.dat")), nullptr);
  ASSERT_EQ(dialogs.messages().size(), 1);

  clickNode(*window, "Mother2");
  EXPECT_EQ(rowsOf(*window).first().first(), "SONG.ACM");
  EXPECT_EQ(statusText(), "There are 1 files in this folder");
  EXPECT_EQ(state().ActiveDAT.Caption, archivePath);
}

TEST_F(TallyholdExtractSelectedTest, FolderModeExtractsOnlyTheFoldersOwnEntriesIntoTheFolderItself) {
  clickNode(*window, "Child10");
  frmExtract* dialog = openDialog("mnuconExtractTreeView");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->windowTitle(), "Extract single/multiple files or an entire folder");
  EXPECT_EQ(dialog->size(), platform::TwipsSize(5550, 3240));
  EXPECT_EQ(textOf(*dialog, "Command1"), "Extract!");
  EXPECT_EQ(textOf(*dialog, "Label2"), "Folder to extract:");
  EXPECT_EQ(textOf(*dialog, "DirText"), "ART\\CRITTERS\\");
  ASSERT_EQ(names(*dialog).count(), 1);
  EXPECT_EQ(names(*dialog).item(0)->text(), "*.*");
  EXPECT_FALSE(frame().isEnabled());

  const QString dest = folder("out");
  LastProgress progress;
  runInto(*dialog, dest);
  EXPECT_EQ(contentsOf(dest), (QStringList{"RUNNER01.FRM", "RUNNER02.FRM", "RUNNER03.FRM"}));
  EXPECT_EQ(ReadFile(dest + "/RUNNER01.FRM"), Runner1);
  EXPECT_EQ(ReadFile(dest + "/RUNNER03.FRM"), SampleText(700, 3));
  expectCompletion("3 files extracted to " + dest + "/");
  ASSERT_TRUE(progress.seen);
  EXPECT_EQ(progress.caption, "Extracting from " + archivePath + "...");
  EXPECT_EQ(progress.status, "Extracting Art\\critters\\RUNNER03.FRM");
  EXPECT_FLOAT_EQ(progress.max, 4);
  EXPECT_FLOAT_EQ(progress.value, 4);
  expectWindowsRestored();

  // The other spelling's node and the root node, whose key is "\" alone.
  for (const auto& [node, key, expected] :
       {std::tuple{"Child11", "Art\\critters\\", QStringList{"RUNNER01.FRM", "RUNNER02.FRM", "RUNNER03.FRM"}},
        std::tuple{"root", "\\", QStringList{"TOP.TXT"}}}) {
    dialogs.clear();
    clickNode(*window, node);
    dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(textOf(*dialog, "DirText"), key);
    const QString into = folder(node);
    runInto(*dialog, into);
    EXPECT_EQ(contentsOf(into), expected);
    expectCompletion(QString::number(expected.size()) + " files extracted to " + into + "/");
  }
}

TEST_F(TallyholdExtractSelectedTest, FilesModeExtractsTheSelectedNamesAndCountsTheList) {
  clickNode(*window, "Child10");
  selectRows(*window, {0, 2});
  EXPECT_EQ(state().ActivePane, Pane::List);
  frmExtract* dialog = openDialog("mnuconExtractListView");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(textOf(*dialog, "Label2"), "Files to extract:");
  EXPECT_EQ(textOf(*dialog, "DirText"), "ART\\CRITTERS\\");
  ASSERT_EQ(names(*dialog).count(), 2);
  EXPECT_EQ(names(*dialog).item(0)->text(), "RUNNER01.FRM");
  EXPECT_EQ(names(*dialog).item(1)->text(), "RUNNER03.FRM");

  // What the run takes was fixed when the dialog was given the selection.
  names(*dialog).addItem("RUNNER02.FRM");
  child<QLineEdit>(*dialog, "DirText").setText("\\");
  const QString dest = folder("out");
  ASSERT_TRUE(testsupport::WriteFile(dest + "/RUNNER01.FRM", QByteArray(20'000, 'o')));
  runInto(*dialog, dest);
  EXPECT_EQ(contentsOf(dest), (QStringList{"RUNNER01.FRM", "RUNNER03.FRM"}));
  EXPECT_EQ(ReadFile(dest + "/RUNNER01.FRM"), Runner1);
  expectCompletion("2 files were succesfully extracted to " + dest + "/");
  expectWindowsRestored();

  // No name selected extracts nothing and says 0.
  dialogs.clear();
  listOf(*window).clearSelection();
  QTest::keyClick(window, Qt::Key_R);
  dialog = shownDialog<frmExtract>();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(names(*dialog).count(), 0);
  const QString empty = folder("empty");
  runInto(*dialog, empty);
  EXPECT_TRUE(contentsOf(empty).isEmpty());
  expectCompletion("0 files were succesfully extracted to " + empty + "/");
  expectWindowsRestored();
}

// As a window that finds entries by name hands them over.
TEST_F(TallyholdExtractSelectedTest, EntriesOfSeveralFoldersAreExtractedFlatAsInFilesMode) {
  const std::shared_ptr<engine::ClsDatFile> archive = state().DATFiles.Item(state().ActiveDAT.Index);
  const engine::ColTrees& trees = archive->ColTrees();
  auto* dialog = new frmExtract({&frame(), archive, state().ActiveDAT.Caption});
  dialog->show();
  dialog->ShowEntries(
      {engine::FindEntry(trees, "MUSIC\\SONG.ACM"), engine::FindEntry(trees, "Art\\critters\\RUNNER03.FRM")});
  EXPECT_EQ(textOf(*dialog, "Label2"), "Files to extract:");
  ASSERT_EQ(names(*dialog).count(), 2);
  EXPECT_EQ(names(*dialog).item(0)->text(), "SONG.ACM");
  EXPECT_EQ(names(*dialog).item(1)->text(), "RUNNER03.FRM");
  const QString dest = folder("found");
  runInto(*dialog, dest);
  EXPECT_EQ(contentsOf(dest), (QStringList{"RUNNER03.FRM", "SONG.ACM"}));
  EXPECT_EQ(ReadFile(dest + "/SONG.ACM"), "song");
  expectCompletion("2 files were succesfully extracted to " + dest + "/");
  expectWindowsRestored();
}

TEST_F(TallyholdExtractSelectedTest, EntriesSelectedStraightAfterOpeningAreFoundInTheTopLevel) {
  selectRows(*window, {0});
  frmExtract* dialog = openDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(textOf(*dialog, "DirText"), "\\");
  const QString dest = folder("out");
  runInto(*dialog, dest);
  EXPECT_EQ(ReadFile(dest + "/TOP.TXT"), "top");
  expectCompletion("1 files were succesfully extracted to " + dest + "/");
}

TEST_F(TallyholdExtractSelectedTest, NothingToExtractIsRefusedOrFoundEmpty) {
  // A folder holding only folders lists the placeholder: refused at once.
  clickNode(*window, "Mother0");
  EXPECT_EQ(openDialog(), nullptr);
  ASSERT_EQ(dialogs.messages().size(), 1);
  const testsupport::ShownBox refusal = dialogs.messages().first();
  EXPECT_EQ(refusal.text, "Please select a folder or a group of files if you really want to extract");
  EXPECT_EQ(refusal.title, "No files/folder selected");
  EXPECT_EQ(refusal.icon, platform::MsgIcon::Exclamation);
  EXPECT_TRUE(frame().isEnabled());

  // No pane clicked yet, no node selected: the run finds no folder.
  clickNode(*window, "root");
  state().ActivePane = Pane::None;
  treeOf(*window).clearSelection();
  dialogs.clear();
  frmExtract* dialog = openDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(textOf(*dialog, "DirText"), "ERROR");
  const QString dest = folder("out");
  runInto(*dialog, dest);
  EXPECT_TRUE(contentsOf(dest).isEmpty());
  ASSERT_EQ(dialogs.messages().size(), 1);
  const testsupport::ShownBox danger = dialogs.messages().first();
  EXPECT_EQ(danger.text, "There are no files in that folder!");
  EXPECT_EQ(danger.title, "Danger Danger!");
  EXPECT_EQ(danger.icon, platform::MsgIcon::Exclamation);
  expectWindowsRestored();
}

TEST_F(TallyholdExtractSelectedTest, AStopRemovesWhatFolderModeMadeNewAndKeepsWhatFilesModeWrote) {
  const QString dest = folder("out");
  ASSERT_TRUE(testsupport::WriteFile(dest + "/KEEP.TXT", "mine"));
  ASSERT_TRUE(testsupport::WriteFile(dest + "/RUNNER01.FRM", "the user's copy, replaced by the run"));
  AtEveryYield cancel([](ProgressForm& form, int) { pressCancel(form); });

  clickNode(*window, "Child10");
  frmExtract* dialog = openDialog();
  ASSERT_NE(dialog, nullptr);
  LastProgress progress;
  runInto(*dialog, dest);
  // RUNNER01 took the place of the user's file: removing it would lose both.
  EXPECT_EQ(contentsOf(dest), (QStringList{"KEEP.TXT", "RUNNER01.FRM"}));
  EXPECT_EQ(ReadFile(dest + "/RUNNER01.FRM"), Runner1);
  EXPECT_TRUE(dialogs.messages().isEmpty());
  ASSERT_TRUE(progress.seen);
  EXPECT_EQ(progress.caption, "Stop Request Detected!");
  EXPECT_EQ(progress.status, "Aborting...");
  expectWindowsRestored();

  // Files mode stops too, and what it wrote is complete and stays.
  selectRows(*window, {0, 1, 2});
  dialog = openDialog();
  ASSERT_NE(dialog, nullptr);
  runInto(*dialog, dest);
  EXPECT_EQ(cancel.yields(), 2);
  EXPECT_EQ(contentsOf(dest), (QStringList{"KEEP.TXT", "RUNNER01.FRM"}));
  EXPECT_EQ(ReadFile(dest + "/RUNNER01.FRM"), Runner1);
  EXPECT_TRUE(dialogs.messages().isEmpty());
  expectWindowsRestored();
}

TEST_F(TallyholdExtractSelectedTest, AFolderInTheWaySkipsItsEntryAndAVanishedDestinationStopsTheRun) {
  const QString dest = folder("out");
  ASSERT_TRUE(QDir(dest).mkdir("RUNNER02.FRM"));
  clickNode(*window, "Child10");
  frmExtract* dialog = openDialog();
  ASSERT_NE(dialog, nullptr);
  runInto(*dialog, dest);
  EXPECT_EQ(contentsOf(dest), (QStringList{"RUNNER01.FRM", "RUNNER02.FRM", "RUNNER03.FRM"}));
  EXPECT_TRUE(QFileInfo(dest + "/RUNNER02.FRM").isDir());
  ASSERT_EQ(dialogs.messages().size(), 1);
  // The files written, not the folder's count, beside a skip, and a warning.
  EXPECT_EQ(dialogs.messages().first().text, "2 files extracted to " + dest +
                                                 "/\r\r1 entry was skipped:\r"
                                                 "ART\\CRITTERS\\RUNNER02.FRM: " +
                                                 dest + "/RUNNER02.FRM is a folder");
  EXPECT_EQ(dialogs.messages().first().icon, platform::MsgIcon::Exclamation);
  expectWindowsRestored();

  // A destination folder that vanished after it was chosen.
  dialogs.clear();
  dialog = openDialog();
  ASSERT_NE(dialog, nullptr);
  const QString gone = runIntoVanishedFolder(*dialog);
  ASSERT_EQ(dialogs.messages().size(), 1);
  const testsupport::ShownBox box = dialogs.messages().first();
  EXPECT_EQ(box.text,
            "Could not write " + gone + "\r\rNo such file or directory\r\rThe extraction has been stopped.");
  EXPECT_EQ(box.title, "Extraction stopped");
}

}  // namespace
}  // namespace tallyhold::testing
