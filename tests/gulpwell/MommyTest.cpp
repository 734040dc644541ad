#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "common/platform/Twips.h"
#include "common/widgets/DirListBox.h"
#include "common/widgets/DriveListBox.h"
#include "common/widgets/FileListBox.h"
#include "gulpwell/Mommy.h"
#include "gulpwell/ZlibFunctions.h"
#include "tests/support/DatWriter.h"
#include "tests/support/DeflateBits.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/widgets/Accessible.h"
#include "tests/widgets/ListGestures.h"
#include "tests/widgets/QtPrinters.h"

namespace {

using platform::MsgButtons;
using platform::MsgIcon;
using testsupport::ReadFile;
using testsupport::ShownBox;
using testsupport::WriteFile;

class GulpwellMommy : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    folder = QDir::cleanPath(dir.path());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    drive = window.findChild<widgets::DriveListBox*>("Drive1");
    dirs = window.findChild<widgets::DirListBox*>("Dir1");
    files = window.findChild<widgets::FileListBox*>("File1");
    ASSERT_TRUE(drive && dirs && files);
  }

  QPushButton* button(const char* name) { return window.findChild<QPushButton*>(name); }
  void click(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }

  // Moves the folder list into the test's folder and picks a file in the file list.
  void select(const QString& name) {
    ASSERT_TRUE(dirs->SetPath(folder));
    QListWidgetItem* line = testsupport::LineNamed(files, name);
    ASSERT_NE(line, nullptr) << name.toStdString();
    testsupport::ClickLine(files, line);
  }

  // The one message shown, checked to be a plain Gulpwell box.
  QString onlyMessage() {
    const QList<ShownBox> shown = dialogs.messages();
    if (shown.size() != 1) return QStringLiteral("%1 messages").arg(shown.size());
    EXPECT_EQ(shown.first().title, "Gulpwell!");
    EXPECT_EQ(shown.first().icon, MsgIcon::None);
    EXPECT_EQ(shown.first().buttons, MsgButtons::Ok);
    return shown.first().text;
  }

  QTemporaryDir dir;
  QString folder;
  testsupport::ScriptedDialogs dialogs;
  gulpwell::Mommy window;
  widgets::DriveListBox* drive = nullptr;
  widgets::DirListBox* dirs = nullptr;
  widgets::FileListBox* files = nullptr;
};

TEST_F(GulpwellMommy, StartsInTheProgramsFolderWithItsDesignedLayout) {
  const QString home = QCoreApplication::applicationDirPath();
  EXPECT_EQ(window.windowTitle(), "Gulpwell! v1.3");
  EXPECT_EQ(window.size(), platform::TwipsSize(5025, 4125));
  EXPECT_EQ(dirs->Path(), home);
  EXPECT_EQ(files->Path(), home);
  EXPECT_EQ(drive->Drive(), widgets::DriveListBox::DriveOf(home));
  EXPECT_NE(testsupport::LineNamed(files, QFileInfo(QCoreApplication::applicationFilePath()).fileName()), nullptr);

  const struct {
    const char* name;
    int left, top, width, height;
    const char* text;
  } designed[] = {
      {"Drive1", 60, 120, 2535, 315, nullptr},
      {"Dir1", 60, 480, 2535, 1665, nullptr},
      {"File1", 60, 2220, 2535, 1845, nullptr},
      {"Label1", 2700, 180, 2235, 855, "Gulpwell!"},
      {"Command1", 2760, 1260, 2175, 375, "&Compress File"},
      {"Command2", 2760, 1740, 2175, 375, "&Decompress File"},
      {"Label2", 2820, 2520, 2055, 855,
       "Select a file a click compress to compress it, or if it's a compressed file, "
       "decompress to decompress it!"},
      {"Command4", 2760, 3660, 1215, 375, "&Exit"},
      {"Command3", 4020, 3660, 915, 375, "&About"},
  };
  for (const auto& control : designed) {
    const QWidget* widget = window.findChild<QWidget*>(control.name);
    ASSERT_NE(widget, nullptr) << control.name;
    EXPECT_EQ(widget->geometry(), platform::TwipsRect(control.left, control.top, control.width, control.height))
        << control.name;
    EXPECT_TRUE(widget->isEnabled()) << control.name;
    if (!control.text) continue;
    const auto* label = qobject_cast<const QLabel*>(widget);
    const auto* push = qobject_cast<const QPushButton*>(widget);
    EXPECT_EQ(label ? label->text() : push->text(), control.text) << control.name;
  }
  const QLabel* banner = window.findChild<QLabel*>("Label1");
  EXPECT_EQ(banner->font().family(), "Tahoma");
  EXPECT_TRUE(banner->font().bold());
  EXPECT_LE(banner->font().pointSizeF(), 36);
  EXPECT_LE(banner->sizeHint().width(), banner->width());  // the whole name shows
}

TEST_F(GulpwellMommy, ScreenReadersSeeAProgramWindowWithNamedFolderAndFileLists) {
  EXPECT_EQ(testsupport::AccessibleRole(&window), QAccessible::Window);
  EXPECT_EQ(testsupport::AccessibleName(dirs), "Folders");
  EXPECT_EQ(testsupport::AccessibleName(files), "Files");
}

TEST_F(GulpwellMommy, InstalledItStartsInTheHomeFolder) {
  gulpwell::Mommy installed(QStringLiteral(SKARROW_INSTALL_BINDIR));
  const auto* installedDirs = installed.findChild<widgets::DirListBox*>("Dir1");
  ASSERT_NE(installedDirs, nullptr);
  EXPECT_EQ(installedDirs->Path(), QDir::homePath());
  EXPECT_EQ(installed.findChild<widgets::FileListBox*>("File1")->Path(), QDir::homePath());
}

TEST_F(GulpwellMommy, TabMovesThroughTheControlsInTheDesignedOrder) {
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  dirs->setFocus();
  QStringList order{QApplication::focusWidget()->objectName()};
  for (int step = 0; step < 7; ++step) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    order << QApplication::focusWidget()->objectName();
  }
  EXPECT_EQ(order,
            QStringList({"Dir1", "File1", "Command1", "Command4", "Command2", "Command3", "Drive1", "Dir1"}));
}

TEST_F(GulpwellMommy, TheListsStayLinkedWhenTheUserMovesThroughFolders) {
  ASSERT_TRUE(QDir(folder).mkdir("sub"));
  ASSERT_TRUE(WriteFile(folder + "/sub/inner.txt", "x"));
  ASSERT_TRUE(dirs->SetPath(folder));
  EXPECT_EQ(files->Path(), folder);

  testsupport::DoubleClickLine(dirs, testsupport::LineNamed(dirs, "sub"));
  EXPECT_EQ(dirs->Path(), folder + "/sub");
  EXPECT_EQ(files->Path(), folder + "/sub");
  EXPECT_EQ(testsupport::LineTexts(files), QStringList({"inner.txt"}));
  EXPECT_EQ(drive->Drive(), widgets::DriveListBox::DriveOf(folder));

  ASSERT_TRUE(dirs->SetPath(folder));
  ASSERT_TRUE(QDir(folder + "/sub").removeRecursively());
  testsupport::DoubleClickLine(dirs, testsupport::LineNamed(dirs, "sub"));
  EXPECT_EQ(onlyMessage(), folder + "/sub cannot be opened: it is no longer there.");
  EXPECT_EQ(dirs->Path(), folder);
  EXPECT_EQ(files->Path(), folder);
}

TEST_F(GulpwellMommy, ChoosingAnotherDriveMovesToItsRootAndTheFilesFollow) {
  ASSERT_TRUE(dirs->SetPath(folder));
  const int other = drive->currentIndex() == 0 ? 1 : 0;
  if (drive->count() < 2) GTEST_SKIP() << "only one mounted volume here";
  drive->setFocus();
  QTest::keyClick(drive, other == 1 ? Qt::Key_Down : Qt::Key_Up);
  const QString root = drive->itemData(drive->currentIndex()).toString();
  EXPECT_NE(root, widgets::DriveListBox::DriveOf(folder));
  EXPECT_EQ(dirs->Path(), root);
  EXPECT_EQ(files->Path(), root);
  EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(GulpwellMommy, EachCommandAsksForAFileFirst) {
  ASSERT_TRUE(WriteFile(folder + "/data.bin", "x"));
  ASSERT_TRUE(dirs->SetPath(folder));
  click("Command1");
  EXPECT_EQ(onlyMessage(), "Please, select a file to compress");
  dialogs.clear();
  click("Command2");
  EXPECT_EQ(onlyMessage(), "Please, select a file to decompress");
  EXPECT_EQ(dialogs.shown().size(), 1);
  EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList({"data.bin"}));
}

TEST_F(GulpwellMommy, CompressWritesTheQZFileAndLeavesTheListAsItWas) {
  const QByteArray data = testsupport::SampleText(40000);
  ASSERT_TRUE(WriteFile(folder + "/data.bin", data));
  select("data.bin");
  click("Command1");
  EXPECT_EQ(onlyMessage(), folder + "/data.bin.QZ was succesfully created!");
  const QByteArray stream = ReadFile(folder + "/data.bin.QZ");
  EXPECT_EQ(stream.left(2), QByteArray("\x78\xDA"));
  EXPECT_EQ(testsupport::ZlibUncompress(stream, data.size()), data);
  EXPECT_EQ(testsupport::LineTexts(files), QStringList({"data.bin"}));
}

TEST_F(GulpwellMommy, DecompressWritesRelativeToTheFolderAndListsTheNewFile) {
  const QByteArray data = testsupport::SampleText(40000, 5);
  ASSERT_TRUE(WriteFile(folder + "/data.bin", data));
  ASSERT_TRUE(gulpwell::CompressFile(folder + "/data.bin").ok());
  ASSERT_TRUE(QDir(folder).mkpath("sub/deeper"));
  select("data.bin.QZ");

  dialogs.answerInput("restored.bin");
  click("Command2");
  ASSERT_EQ(dialogs.shown().size(), 2);
  const ShownBox& prompt = dialogs.shown().first();
  EXPECT_EQ(prompt.kind, ShownBox::Input);
  EXPECT_EQ(prompt.text, "Enter the destination name of the file, please.");
  EXPECT_EQ(prompt.title, "Gulpwell!");
  EXPECT_EQ(prompt.defaultText, QString());
  EXPECT_EQ(onlyMessage(), "restored.bin was succesfully decompressed!");
  EXPECT_EQ(ReadFile(folder + "/restored.bin"), data);
  EXPECT_NE(testsupport::LineNamed(files, "restored.bin"), nullptr);
  EXPECT_EQ(files->FileName(), "data.bin.QZ");

  for (const QString& typed : {QStringLiteral("sub\\deeper\\back.bin"), QStringLiteral("sub/fwd.bin")}) {
    dialogs.clear();
    dialogs.answerInput(typed);
    click("Command2");
    EXPECT_EQ(onlyMessage(), typed + " was succesfully decompressed!");
  }
  EXPECT_EQ(ReadFile(folder + "/sub/deeper/back.bin"), data);
  EXPECT_EQ(ReadFile(folder + "/sub/fwd.bin"), data);
  EXPECT_EQ(ReadFile(folder + "/data.bin.QZ").left(2), QByteArray("\x78\xDA"));
}

TEST_F(GulpwellMommy, DecompressTellsAStreamZlibRefusesAsDamaged) {
  ASSERT_TRUE(WriteFile(folder + "/incomplete.QZ", testsupport::IncompleteCodeSetStream()));
  select("incomplete.QZ");
  dialogs.answerInput("out.bin");
  click("Command2");
  EXPECT_EQ(onlyMessage(), folder + "/incomplete.QZ is not a whole zlib stream (invalid literal/lengths set). "
                                    "Nothing was written.");
  EXPECT_FALSE(QFile::exists(folder + "/out.bin"));
}

TEST_F(GulpwellMommy, DecompressExplainsEveryFailureAndWritesNothing) {
  ASSERT_TRUE(WriteFile(folder + "/data.bin", "some data"));
  ASSERT_TRUE(gulpwell::CompressFile(folder + "/data.bin").ok());
  ASSERT_TRUE(WriteFile(folder + "/plain.txt", "this is no zlib stream"));
  ASSERT_TRUE(WriteFile(folder + "/empty", {}));
  const QStringList before = QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

  select("data.bin.QZ");
  click("Command2");  // the input box is cancelled
  EXPECT_EQ(onlyMessage(), "No destination name was given, so nothing was decompressed.");

  dialogs.clear();
  dialogs.answerInput("nosuch\\out.bin");
  click("Command2");
  EXPECT_EQ(onlyMessage(), "The folder " + folder + "/nosuch does not exist, so nothing was decompressed.");

  dialogs.clear();
  select("plain.txt");
  dialogs.answerInput("out.bin");
  click("Command2");
  EXPECT_EQ(onlyMessage(), folder + "/plain.txt is not a whole zlib stream (incorrect header check). "
                                    "Nothing was written.");

  dialogs.clear();
  select("empty");
  click("Command2");
  EXPECT_EQ(onlyMessage(), folder + "/empty is empty: there is nothing to do.");
  EXPECT_EQ(dialogs.shown().size(), 1);  // no input box for a source that cannot be used

  dialogs.clear();
  select("data.bin.QZ");
  ASSERT_TRUE(QDir(folder).mkdir("taken"));
  dialogs.answerInput("taken");
  click("Command2");
  EXPECT_TRUE(onlyMessage().startsWith(folder + "/taken could not be written ("));

  dialogs.clear();
  ASSERT_TRUE(QFile::remove(folder + "/data.bin.QZ"));
  click("Command2");
  EXPECT_TRUE(onlyMessage().startsWith(folder + "/data.bin.QZ cannot be read ("));

  QStringList expected = before;
  expected.removeOne("data.bin.QZ");
  expected << "taken";
  expected.sort();
  EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name), expected);
}

TEST_F(GulpwellMommy, CompressExplainsFailuresAndKeepsAnEarlierOutput) {
  ASSERT_TRUE(WriteFile(folder + "/empty", {}));
  ASSERT_TRUE(WriteFile(folder + "/data.bin", "data"));
  ASSERT_TRUE(QDir(folder).mkdir("data.bin.QZ"));

  select("empty");
  click("Command1");
  EXPECT_EQ(onlyMessage(), folder + "/empty is empty: there is nothing to do.");
  EXPECT_FALSE(QFile::exists(folder + "/empty.QZ"));

  dialogs.clear();
  select("data.bin");
  click("Command1");
  EXPECT_TRUE(onlyMessage().startsWith(folder + "/data.bin.QZ could not be written ("));
  EXPECT_TRUE(QFileInfo(folder + "/data.bin.QZ").isDir());
}

TEST_F(GulpwellMommy, ExitClosesTheWindow) {
  click("Command4");
  EXPECT_FALSE(window.isVisible());
}

}  // namespace
