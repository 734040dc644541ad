// Tools > Delete, Add files... and New DAT from folder... through the frame's menu, as the user runs
// them: the archive written anew, then read again in its window.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>

#include "common/widgets/DirListBox.h"
#include "engine/archive/ArchiveOpening.h"
#include "engine/archive/DATFunctions.h"
#include "engine/archive/DirectoryWalk.h"
#include "tallyhold/windows/DAT_Container.h"
#include "tallyhold/windows/ProgressForm.h"
#include "tallyhold/windows/frmNewDAT.h"
#include "tests/tallyhold/TallyholdWindowsFixture.h"

namespace tallyhold::testing {
namespace {

using testsupport::DatWriter;

struct Stored {
  QByteArray name;
  qint64 realSize = 0;
  QByteArray body;  // as the archive holds it
};

// The archive's entries, by their names without letter case (the new
// directory's order is the packer's own).
std::vector<Stored> entriesIn(const QString& path) {
  const engine::OpenedArchive opened = engine::OpenArchiveFile(path);
  EXPECT_TRUE(opened) << path.toStdString();
  std::vector<Stored> entries;
  if (!opened) return entries;
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly));
  engine::DirectoryWalk walk(*opened.Source, opened.Info);
  while (!walk.AtEnd()) {
    const engine::ClsTreeDir entry = engine::TreeDirOf(walk.Next());
    file.seek(entry.Offset);
    entries.push_back({entry.Filename, entry.RealSize, file.read(entry.PackedSize)});
  }
  std::sort(entries.begin(), entries.end(),
            [](const Stored& a, const Stored& b) { return a.name.toUpper() < b.name.toUpper(); });
  return entries;
}

QStringList namesIn(const QString& path) {
  QStringList names;
  for (const Stored& entry : entriesIn(path)) names << QString::fromLatin1(entry.name);
  return names;
}

QStringList listedNames(const DAT_Container& window) {
  QStringList names;
  for (const QStringList& row : rowsOf(window)) names << row.value(0);
  return names;
}

class TallyholdPatchTest : public WindowsFixture {
 protected:
  QString archive;
  DAT_Container* window = nullptr;

  // The archive opened with the folder ART listed.
  void open(const DatWriter& writer) {
    archive = write(writer);
    window = openViaMenu(archive);
    ASSERT_NE(window, nullptr);
    clickNode(*window, "Mother0");
    ASSERT_EQ(window->SelectedFolderKey(), "ART\\");
    dialogs.clear();
  }

  QString diskFile(const QString& name, const QByteArray& data) {
    const QString path = QDir(dir.path()).filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(data);
    return path;
  }

  // The folder "input" with two files, to pack.
  QString inputFolder() {
    const QString input = QDir(dir.path()).filePath("input");
    EXPECT_TRUE(QDir().mkpath(input + "/ART"));
    diskFile("input/ART/A.TXT", "aaa");
    diskFile("input/TOP.TXT", "top");
    return input;
  }

  // Answers New DAT from folder's dialog once it is shown.
  void chooseNewDAT(const QString& input, const QString& name) {
    QTimer::singleShot(0, [this, input, name] {
      auto* dialog = qobject_cast<frmNewDAT*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      ASSERT_TRUE(child<widgets::DirListBox>(*dialog, "Dir1").SetPath(input));
      child<QLineEdit>(*dialog, "txtName").setText(name);
      child<QPushButton>(*dialog, "cmdOK").click();
      newDATAnswered = true;
    });
  }

  QStringList hiddenFiles() const {
    return QDir(dir.path()).entryList({".*"}, QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
  }

  bool newDATAnswered = false;
};

TEST_F(TallyholdPatchTest, NewDATSaysWhereTheArchiveGoesBeforeOK) {
  const QString input = inputFolder();
  frmNewDAT dialog(nullptr);
  ASSERT_TRUE(child<widgets::DirListBox>(dialog, "Dir1").SetPath(input));
  child<QLineEdit>(dialog, "txtName").setText("mod.dat");
  EXPECT_EQ(child<QLabel>(dialog, "lblTarget").text(), "Written as " + QDir(dir.path()).filePath("mod.dat"));
  child<QLineEdit>(dialog, "txtName").setText(" ");
  EXPECT_EQ(child<QLabel>(dialog, "lblTarget").text(), "No name given.");
}

TEST_F(TallyholdPatchTest, DeleteRemovesExactlyTheChosenEntriesAndTheWindowShowsTheRest) {
  open(DatWriter().add("ART\\A.TXT", "aaa").add("ART\\B.TXT", "bbbb").add("ART\\C.TXT", "c").add("TOP.TXT", "t"));
  selectRows(*window, {0, 2});
  dialogs.answerMessage(platform::MsgAnswer::Yes);
  action("mnuDelete")->trigger();

  ASSERT_EQ(dialogs.messages().size(), 1);
  testsupport::ExpectBox(dialogs.messages()[0], "Delete 2 entries from " + archive + "?", "Delete",
                         platform::MsgIcon::Question, platform::MsgButtons::YesNo);
  const std::vector<Stored> kept = entriesIn(archive);
  ASSERT_EQ(kept.size(), 2u);
  EXPECT_EQ(kept[0].name, "ART\\B.TXT");
  EXPECT_EQ(kept[0].body, "bbbb");
  EXPECT_EQ(kept[1].name, "TOP.TXT");
  EXPECT_EQ(kept[1].body, "t");
  EXPECT_EQ(window->SelectedFolderKey(), "ART\\");
  EXPECT_EQ(listedNames(*window), QStringList{"B.TXT"});
  EXPECT_TRUE(frame().isEnabled());
}

TEST_F(TallyholdPatchTest, TheDeleteKeyInTheListDeletesItsSelectedRows) {
  open(DatWriter().add("ART\\A.TXT", "aaa").add("ART\\B.TXT", "bbbb").add("TOP.TXT", "t"));
  selectRows(*window, {1});
  dialogs.answerMessage(platform::MsgAnswer::Yes);
  QTest::keyClick(&listOf(*window), Qt::Key_Delete);

  ASSERT_EQ(dialogs.messages().size(), 1);
  EXPECT_EQ(dialogs.messages()[0].text, "Delete 1 entry from " + archive + "?");
  EXPECT_EQ(namesIn(archive), (QStringList{"ART\\A.TXT", "TOP.TXT"}));
}

// A key the tree does not take travels on to the archive window.
TEST_F(TallyholdPatchTest, TheDeleteKeyInTheTreeDeletesNothing) {
  open(DatWriter().add("ART\\A.TXT", "aaa").add("TOP.TXT", "t"));
  selectRows(*window, {0});
  dialogs.clear();
  QTest::keyClick(&treeOf(*window), Qt::Key_Delete);

  EXPECT_TRUE(dialogs.messages().isEmpty());
  EXPECT_EQ(namesIn(archive), (QStringList{"ART\\A.TXT", "TOP.TXT"}));
}

TEST_F(TallyholdPatchTest, DeleteAnsweredNoWritesNothing) {
  open(DatWriter().add("ART\\A.TXT", "aaa").add("TOP.TXT", "t"));
  selectRows(*window, {0});
  dialogs.answerMessage(platform::MsgAnswer::No);
  action("mnuDelete")->trigger();
  EXPECT_EQ(namesIn(archive), (QStringList{"ART\\A.TXT", "TOP.TXT"}));
}

TEST_F(TallyholdPatchTest, AddPutsAFileInAndReplacesOneOfTheSameNameInAnotherLetterCase) {
  open(DatWriter().add("ART\\A.TXT", "old").add("TOP.TXT", "t"));
  const QString replacing = diskFile("a.txt", QByteArray(5000, 'n'));
  const QString added = diskFile("NEW.TXT", "new");
  dialogs.answerOpenFiles({replacing, added});
  dialogs.answerInput("ART\\");
  action("mnuAddFiles")->trigger();

  ASSERT_EQ(dialogs.shown().size(), 2) << dialogs.shown().last().text.toStdString();
  EXPECT_EQ(dialogs.shown()[0].kind, testsupport::ShownBox::OpenFiles);
  EXPECT_EQ(dialogs.shown()[1].defaultText, "ART\\");
  const std::vector<Stored> entries = entriesIn(archive);
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].name.toUpper(), "ART\\A.TXT");
  EXPECT_EQ(entries[0].realSize, 5000);
  EXPECT_EQ(entries[1].name, "ART\\NEW.TXT");
  EXPECT_EQ(entries[2].name, "TOP.TXT");
  EXPECT_EQ(entries[2].body, "t");
  EXPECT_EQ(window->SelectedFolderKey(), "ART\\");
  EXPECT_EQ(listedNames(*window).size(), 2);
}

TEST_F(TallyholdPatchTest, AChangeToAnArchiveOpenInASecondWindowIsRefused) {
  open(DatWriter().add("ART\\A.TXT", "aaa").add("TOP.TXT", "t"));
  QFile file(archive);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray before = file.readAll();
  DAT_Container* second = openViaMenu(archive);
  ASSERT_NE(second, nullptr);
  clickNode(*second, "Mother0");
  selectRows(*second, {0});
  dialogs.clear();
  action("mnuDelete")->trigger();

  ASSERT_EQ(dialogs.messages().size(), 1);
  testsupport::ExpectBox(dialogs.messages()[0],
                         archive + " is open in another window too; close that window first.", "Tallyhold",
                         platform::MsgIcon::Exclamation, platform::MsgButtons::Ok);
  file.seek(0);
  EXPECT_EQ(file.readAll(), before);
}

TEST_F(TallyholdPatchTest, NewDATGivesAnArchiveThatOpensWithTheFiles) {
  chooseNewDAT(inputFolder(), "made.dat");
  action("mnuNewDAT")->trigger();

  ASSERT_TRUE(newDATAnswered);
  const QString made = QDir(dir.path()).filePath("made.dat");
  EXPECT_EQ(namesIn(made), (QStringList{"ART\\A.TXT", "TOP.TXT"}));
  window = state().LastWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->windowTitle(), made);
  EXPECT_EQ(listedNames(*window), QStringList{"TOP.TXT"});
  clickNode(*window, "Mother0");
  EXPECT_EQ(listedNames(*window), QStringList{"A.TXT"});
}

// The packer's workers may hold every small file when Cancel is pressed.
TEST_F(TallyholdPatchTest, AddFilesCancelledLeavesTheArchiveAndTheWindowAsTheyWere) {
  open(DatWriter().add("ART\\A.TXT", "aaa").add("TOP.TXT", "t"));
  const QByteArray before = testsupport::ReadFile(archive);
  dialogs.answerOpenFiles({diskFile("NEW1.TXT", "one"), diskFile("NEW2.TXT", "two")});
  dialogs.answerInput("ART\\");
  const AtEveryYield cancel([](ProgressForm& form, int) { pressCancel(form); });
  action("mnuAddFiles")->trigger();

  ASSERT_FALSE(dialogs.messages().isEmpty());
  EXPECT_EQ(dialogs.messages().last().text, archive + " was not changed: the writing was cancelled.");
  EXPECT_EQ(testsupport::ReadFile(archive), before);
  EXPECT_TRUE(hiddenFiles().isEmpty()) << hiddenFiles().join(' ').toStdString();
  EXPECT_TRUE(frame().isEnabled());
  EXPECT_EQ(listedNames(*window), QStringList{"A.TXT"});
}

TEST_F(TallyholdPatchTest, NewDATCancelledLeavesNoArchive) {
  chooseNewDAT(inputFolder(), "made.dat");
  const AtEveryYield cancel([](ProgressForm& form, int) { pressCancel(form); });
  action("mnuNewDAT")->trigger();

  ASSERT_TRUE(newDATAnswered);
  const QString made = QDir(dir.path()).filePath("made.dat");
  EXPECT_EQ(dialogs.messages().last().text, made + " was not written: the writing was cancelled.");
  EXPECT_FALSE(QFileInfo::exists(made));
  EXPECT_TRUE(hiddenFiles().isEmpty()) << hiddenFiles().join(' ').toStdString();
  EXPECT_EQ(archiveWindowCount(), 0);
}

// Removed after it was chosen, before its turn: too large to be read ahead.
TEST_F(TallyholdPatchTest, AFileToAddGoneBeforeItIsPackedLeavesTheArchiveWhole) {
  open(DatWriter().add("ART\\A.TXT", "aaa").add("TOP.TXT", "t"));
  const QByteArray before = testsupport::ReadFile(archive);
  const QString large = diskFile("ZZ.BIN", testsupport::SampleText(5 << 20));
  dialogs.answerOpenFiles({diskFile("NEW.TXT", "new"), large});
  dialogs.answerInput("ART\\");
  const AtEveryYield remove([&](ProgressForm&, int yield) {
    if (yield == 1) QFile::remove(large);
  });
  action("mnuAddFiles")->trigger();

  ASSERT_FALSE(dialogs.messages().isEmpty());
  EXPECT_EQ(dialogs.messages().last().text, archive + " was not changed: these files could not be read: " +
                                                dir.path() + "/ZZ.BIN: No such file or directory.");
  EXPECT_EQ(testsupport::ReadFile(archive), before);
  EXPECT_TRUE(hiddenFiles().isEmpty()) << hiddenFiles().join(' ').toStdString();
}

}  // namespace
}  // namespace tallyhold::testing
