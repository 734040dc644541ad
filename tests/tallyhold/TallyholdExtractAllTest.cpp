// Extract all end to end: the archive opened through the menu, the dialog
// opened by the frame's commands and run by its own button.
#include <QFileInfo>
#include <QLabel>
#include <QTest>
#include <QTreeWidget>

#include "common/platform/Twips.h"
#include "tallyhold/windows/DAT_Container.h"
#include "tallyhold/windows/ProgressForm.h"
#include "tallyhold/windows/frmExtractAll.h"
#include "tests/tallyhold/ExtractDialogsFixture.h"

namespace tallyhold::testing {
namespace {

using testsupport::DatWriter;
using testsupport::FixtureEntry;
using testsupport::ReadFile;
using testsupport::SampleText;

class TallyholdExtractAllTest : public ExtractDialogsFixture {
 protected:
  // Opens the archive and the dialog through F4's item.
  frmExtractAll* openDialog(const DatWriter& writer) {
    archivePath = write(writer);
    window = openViaMenu(archivePath);
    if (!window) return nullptr;
    action("extractall")->trigger();
    return shownDialog<frmExtractAll>();
  }

  QString archivePath;
  DAT_Container* window = nullptr;
};

struct Sample {
  QByteArray name;
  QByteArray data;
  bool compressed;
  QString onDisk;  // relative to DestRoot
};

// Four levels deep, a level that the tree does not show (BACKGROUND, LONGNAME9:
// more than 8 characters), two spellings of one folder, top-level entries.
const QList<Sample> MultiLevel = {
    {"README.TXT", "hello", false, "README.TXT"},
    {"TEXT\\ENGLISH\\GAME\\DEEP\\MAPTEXT.MSG", SampleText(70'000, 1), true, "TEXT/ENGLISH/GAME/DEEP/MAPTEXT.MSG"},
    {"TEXT\\ENGLISH\\GAME\\DIALOG.MSG", SampleText(3000, 2), true, "TEXT/ENGLISH/GAME/DIALOG.MSG"},
    {"ART\\BACKGROUND\\SKY.FRM", SampleText(500, 3), false, "ART/BACKGROUND/SKY.FRM"},
    {"ART\\CRITTERS\\RUNNER01.FRM", SampleText(9000, 4), true, "ART/CRITTERS/RUNNER01.FRM"},
    {"Art\\critters\\RUNNER02.FRM", "r2", false, "ART/CRITTERS/RUNNER02.FRM"},
    {"SOUND\\LONGNAME9\\A\\B\\FX.ACM", SampleText(1234, 5), true, "SOUND/LONGNAME9/A/B/FX.ACM"},
    {"EMPTY.DAT", "", false, "EMPTY.DAT"},
    {"NOTES.TXT", "n", false, "NOTES.TXT"}};

DatWriter multiLevelWriter() {
  DatWriter writer;
  for (const Sample& s : MultiLevel) writer.add(s.name, s.data, s.compressed);
  return writer;
}

TEST_F(TallyholdExtractAllTest, DialogHasItsControlsAndLoadsAtTheProgramsFolder) {
  frmExtractAll* dialog = openDialog(multiLevelWriter());
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->windowTitle(), "Extract All");
  EXPECT_EQ(dialog->size(), platform::TwipsSize(5175, 2820));
  const QList<std::tuple<const char*, QRect, QString>> controls = {
      {"Label1", {120, 120, 3195, 255}, "Choose the destination directory:"},
      {"Drive1", {120, 420, 3255, 315}, {}},
      {"Dir1", {120, 840, 3255, 1890}, {}},
      {"Command3", {3600, 1440, 1395, 315}, "Create new dir"},
      {"Command1", {3540, 1860, 1515, 375}, "Extract"},
      {"Command2", {3540, 2340, 1515, 375}, "Cancel"}};
  for (const auto& [name, twips, text] : controls) {
    const QWidget* control = dialog->findChild<QWidget*>(name);
    ASSERT_NE(control, nullptr) << name;
    EXPECT_EQ(control->geometry(), platform::TwipsRect(twips)) << name;
    if (!text.isEmpty()) {
      EXPECT_EQ(control->property("text").toString(), text) << name;
    }
  }
  EXPECT_FALSE(frame().isEnabled());
  EXPECT_EQ(folderList(*dialog).Path(), QCoreApplication::applicationDirPath());
  EXPECT_EQ(dialog->DestRoot(), QCoreApplication::applicationDirPath() + "/archive.dat");
  // At the top of the file system the separator is not doubled.
  ASSERT_TRUE(folderList(*dialog).SetPath("/"));
  EXPECT_EQ(dialog->DestRoot(), "/archive.dat");
}

TEST_F(TallyholdExtractAllTest, ExtractsEveryEntryByteExactIntoTheFoldersOfItsName) {
  frmExtractAll* dialog = openDialog(multiLevelWriter());
  ASSERT_NE(dialog, nullptr);
  const QString dest = folder("out");
  LastProgress progress;
  runInto(*dialog, dest);

  const QString root = dest + "/archive.dat";
  QStringList expected;
  for (const Sample& s : MultiLevel) {
    EXPECT_EQ(ReadFile(root + "/" + s.onDisk), s.data) << s.name.constData();
    QString path = s.onDisk;
    for (qsizetype slash; (slash = path.lastIndexOf('/')) >= 0;) expected << (path = path.left(slash));
    expected << s.onDisk;
  }
  expected.removeDuplicates();
  expected.sort();
  EXPECT_EQ(contentsOf(root), expected);
  EXPECT_EQ(QDir(dest).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"archive.dat"});

  ASSERT_EQ(dialogs.messages().size(), 1);
  const testsupport::ShownBox box = dialogs.messages().first();
  EXPECT_EQ(box.text, root + " was created succesfully! 9 files extracted.");
  EXPECT_EQ(box.title, "Extraction complete!");
  EXPECT_EQ(box.icon, platform::MsgIcon::Information);
  EXPECT_EQ(box.buttons, platform::MsgButtons::Ok);

  ASSERT_TRUE(progress.seen);
  EXPECT_EQ(progress.caption, "Extracting all from " + archivePath + "...");
  EXPECT_EQ(progress.message,
            "This will take some minutes depending on the speed of your computer. Please, be patient.");
  // The last entry's text reaches the screen, however fast the run.
  EXPECT_EQ(progress.status, "Extracting SOUND\\LONGNAME9\\A\\B\\FX.ACM");
  const int folders = state().DATFiles.Item(state().ActiveDAT.Index)->ColTrees().Count();
  EXPECT_FLOAT_EQ(progress.max, folders + 1);
  EXPECT_FLOAT_EQ(progress.value, folders + 1);
  expectWindowsRestored();

  // A second run into the same folder reuses it and replaces the copies.
  dialogs.clear();
  ASSERT_TRUE(testsupport::WriteFile(root + "/README.TXT", "an older and longer text"));
  action("extractall")->trigger();
  dialog = shownDialog<frmExtractAll>();
  ASSERT_NE(dialog, nullptr);
  runInto(*dialog, dest);
  EXPECT_EQ(ReadFile(root + "/README.TXT"), "hello");
  EXPECT_EQ(contentsOf(root), expected);
  EXPECT_EQ(dialogs.messages().size(), 1);
}

// The status texts the progress window painted, and what the destination held
// when it was first painted.
struct PaintedStatus : QObject {
  explicit PaintedStatus(QString watchedFolder) : folder(std::move(watchedFolder)) {
    qApp->installEventFilter(this);
  }
  ~PaintedStatus() override { qApp->removeEventFilter(this); }
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* label = qobject_cast<QLabel*>(watched);
    if (event->type() != QEvent::Paint || !label || label->objectName() != "labStatus") return false;
    if (texts.isEmpty()) atFirstPaint = testsupport::OpenArchive::contentsOf(folder);
    if (texts.isEmpty() || texts.last() != label->text()) texts << label->text();
    return false;
  }
  QString folder;
  QStringList texts, atFirstPaint;
};

TEST_F(TallyholdExtractAllTest, TheProgressIsPaintedBeforeTheFirstEntryAndDuringALargeOne) {
  frmExtractAll* dialog = openDialog(DatWriter().add("BIG.BIN", SampleText(9'000'000, 5)).add("SMALL.TXT", "s"));
  ASSERT_NE(dialog, nullptr);
  const QString dest = folder("out");
  PaintedStatus painted(dest);
  runInto(*dialog, dest);
  ASSERT_FALSE(painted.texts.isEmpty());
  EXPECT_EQ(painted.texts.first(), "Initializing...");
  EXPECT_EQ(painted.atFirstPaint, QStringList{});
  EXPECT_TRUE(painted.texts.contains("Extracting BIG.BIN 1/2"));
  EXPECT_TRUE(painted.texts.contains("Extracting BIG.BIN 2/2"));
}

TEST_F(TallyholdExtractAllTest, TheFrameKeysAndPopupsOpenTheDialog) {
  window = openViaMenu(write(multiLevelWriter()));
  ASSERT_NE(window, nullptr);
  const QList<std::function<void()>> presses = {[&] { action("extractall")->trigger(); },
                                                [&] { QTest::keyClick(window, Qt::Key_S); },
                                                [&] { action("mnuconExtractListEntireDAT")->trigger(); },
                                                [&] { action("mnuconExtractTreeEntireDAT")->trigger(); }};
  for (const auto& press : presses) {
    press();
    frmExtractAll* dialog = shownDialog<frmExtractAll>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(frame().isEnabled());
    click(*dialog, "Command2");
    flushDeletes();
    expectWindowsRestored();
  }
  EXPECT_TRUE(dialogs.messages().isEmpty());

  // With every archive window closed there is nothing left to extract.
  window->close();
  flushDeletes();
  action("extractall")->trigger();
  EXPECT_EQ(shownDialog<frmExtractAll>(), nullptr);
  ASSERT_EQ(dialogs.messages().size(), 1);
  EXPECT_EQ(dialogs.messages().first().text, "There is no DAT file open to extract.");
  EXPECT_TRUE(frame().isEnabled());
}

TEST_F(TallyholdExtractAllTest, CancelBetweenEntriesKeepsWhatWasExtracted) {
  frmExtractAll* dialog = openDialog(multiLevelWriter());
  ASSERT_NE(dialog, nullptr);
  const QString dest = folder("out");
  QStringList captions;
  AtEveryYield cancel([&](ProgressForm& form, int yield) {
    captions << form.windowTitle();
    if (yield == 1) pressCancel(form);
  });
  LastProgress progress;
  runInto(*dialog, dest);

  // The first yield comes after the first entry; no entry is started after it.
  const QString root = dest + "/archive.dat";
  EXPECT_EQ(ReadFile(root + "/README.TXT"), "hello");
  const QStringList contents = contentsOf(root);
  EXPECT_FALSE(contents.contains("NOTES.TXT"));
  EXPECT_FALSE(contents.contains("TEXT/ENGLISH/GAME/DEEP"));
  EXPECT_TRUE(contents.contains("TEXT/ENGLISH/GAME"));  // the tree's folders come first
  EXPECT_EQ(cancel.yields(), 1);
  EXPECT_EQ(captions, QStringList{"Extracting all from " + archivePath + "..."});
  EXPECT_TRUE(dialogs.messages().isEmpty());  // no message after a stop
  ASSERT_TRUE(progress.seen);
  EXPECT_EQ(progress.caption, "Stop Request Detected!");
  EXPECT_EQ(progress.message, "Cancelling all processes, please wait...");
  EXPECT_EQ(progress.status, "Aborting...");
  EXPECT_FLOAT_EQ(progress.value, 1);
  expectWindowsRestored();
}

// Enough entries to keep two workers busy, names that meet in letter case (one
// file must wait for the other), folders made on the way, a damaged entry.
TEST_F(TallyholdExtractAllTest, ThreeWorkersWriteExactlyWhatOneWrites) {
  DatWriter writer = multiLevelWriter();
  for (int i = 0; i < 150; ++i)
    writer.add(QStringLiteral("MANY\\F%1\\E%2.TXT").arg(i % 7).arg(i).toLatin1(), SampleText(100 + i * 37, i),
               i % 3 > 0);
  writer.add("MANY\\F1\\e1.txt", "case").add("many\\f1\\E1.TXT", "case again");
  FixtureEntry damaged{"MANY\\BAD.MSG", SampleText(5000), true};
  damaged.body = QByteArray(200, 'x');
  writer.add(damaged);
  archivePath = write(writer);
  ASSERT_NE(openViaMenu(archivePath), nullptr);
  const std::shared_ptr<engine::ClsDatFile> archive = state().DATFiles.Item(state().ActiveDAT.Index);
  QStringList messages;
  for (const int workers : {1, 3}) {
    dialogs.clear();
    auto* dialog = new frmExtractAll({&frame(), archive, state().ActiveDAT.Caption, workers});
    dialog->show();
    runInto(*dialog, folder(QString::number(workers)));
    ASSERT_EQ(dialogs.messages().size(), 1);
    messages << dialogs.messages()[0].text.replace(dir.filePath(QString::number(workers)), "DEST");
  }
  EXPECT_EQ(messages[0], messages[1]);
  EXPECT_TRUE(messages[0].contains("MANY\\BAD.MSG"));
  const QString one = dir.filePath("1/archive.dat");
  const QString three = dir.filePath("3/archive.dat");
  const QStringList files = contentsOf(one);
  EXPECT_GT(files.size(), 150);
  ASSERT_EQ(contentsOf(three), files);
  for (const QString& file : files) {
    if (QFileInfo(one + "/" + file).isFile()) {
      EXPECT_EQ(ReadFile(three + "/" + file), ReadFile(one + "/" + file)) << file.toStdString();
    }
  }
}

TEST_F(TallyholdExtractAllTest, DamagedEntriesAreSkippedAndNamedInTheCompletionMessage) {
  DatWriter writer;
  writer.add("GOOD\\FIRST.TXT", "first");
  FixtureEntry damaged{"GOOD\\DAMAGED.MSG", SampleText(5000), true};
  damaged.body = QByteArray(200, 'x');
  writer.add(damaged);
  FixtureEntry outside{"GOOD\\OUTSIDE.BIN", "data"};
  outside.offset = 1'000'000;
  writer.add(outside);
  writer.add("GOOD\\LAST.TXT", SampleText(800, 1), true);
  frmExtractAll* dialog = openDialog(writer);
  ASSERT_NE(dialog, nullptr);
  const QString dest = folder("out");
  runInto(*dialog, dest);

  const QString root = dest + "/archive.dat";
  EXPECT_EQ(contentsOf(root), (QStringList{"GOOD", "GOOD/FIRST.TXT", "GOOD/LAST.TXT"}));
  EXPECT_EQ(ReadFile(root + "/GOOD/LAST.TXT"), SampleText(800, 1));
  // The count is of the files written, and the box warns.
  ASSERT_EQ(dialogs.messages().size(), 1);
  const testsupport::ShownBox box = dialogs.messages().first();
  EXPECT_EQ(box.text, root + " was created succesfully! 2 files extracted.\r\r2 entries were skipped:\r"
                             "GOOD\\DAMAGED.MSG: the compressed data are damaged (incorrect header check)\r"
                             "GOOD\\OUTSIDE.BIN: its data lie outside the archive (4 bytes at offset 1000000)");
  EXPECT_EQ(box.title, "Extraction complete!");
  EXPECT_EQ(box.icon, platform::MsgIcon::Exclamation);
  EXPECT_EQ(box.buttons, platform::MsgButtons::Ok);
  expectWindowsRestored();
}

TEST_F(TallyholdExtractAllTest, HostileNamesNeverReachOutsideTheDestination) {
  DatWriter writer;
  for (const QByteArray& name :
       {QByteArray("..\\ESCAPED.TXT"), QByteArray("A\\..\\..\\ESCAPED2.TXT"), QByteArray("C:\\DRIVE.TXT"),
        QByteArray("B\\SLASH/ESCAPED3.TXT"), QByteArray("..\\..\\..\\ESCAPED4.TXT"), QByteArray("\\ROOTED.TXT")})
    writer.add(name, "evil");
  writer.add("LINKED\\THROUGH.TXT", "evil");
  writer.add("SAFE\\OK.TXT", "ok");
  frmExtractAll* dialog = openDialog(writer);
  ASSERT_NE(dialog, nullptr);
  const QString outer = folder("outer");
  const QString dest = folder("outer/inner");
  // A link inside the destination that leads out of it is not followed.
  ASSERT_TRUE(QDir(dest).mkpath("archive.dat"));
  ASSERT_TRUE(QFile::link(outer, dest + "/archive.dat/LINKED"));

  const QStringList before = contentsOf(dir.path());
  runInto(*dialog, dest);

  const QString root = dest + "/archive.dat";
  EXPECT_EQ(ReadFile(root + "/SAFE/OK.TXT"), "ok");
  QStringList after = contentsOf(dir.path());
  for (const QString& name : before) after.removeOne(name);
  // The folders of the tree that are safe are made, empty; nothing else.
  EXPECT_EQ(after, (QStringList{"outer/inner/archive.dat/A", "outer/inner/archive.dat/B",
                                "outer/inner/archive.dat/SAFE", "outer/inner/archive.dat/SAFE/OK.TXT"}));
  ASSERT_EQ(dialogs.messages().size(), 1);
  EXPECT_EQ(dialogs.messages().first().text,
            root + " was created succesfully! 1 files extracted.\r\r7 entries were skipped:\r"
                   "..\\ESCAPED.TXT: its name holds the folder \"..\"\r"
                   "A\\..\\..\\ESCAPED2.TXT: its name holds the folder \"..\"\r"
                   "C:\\DRIVE.TXT: its name holds the drive \"C:\"\r"
                   "B\\SLASH/ESCAPED3.TXT: its name holds a \"/\"\r"
                   "..\\..\\..\\ESCAPED4.TXT: its name holds the folder \"..\"\rand 2 more");
  expectWindowsRestored();
}

TEST_F(TallyholdExtractAllTest, AFileInTheWayOfAFolderSkipsItsEntriesAndABadDestinationStopsTheRun) {
  DatWriter writer;
  writer.add("FIRST.TXT", "first");
  writer.add("SOUND\\LONGNAME9\\FX.ACM", "fx");  // a folder the tree does not show
  writer.add("SOUND\\LAST.TXT", "last");
  frmExtractAll* dialog = openDialog(writer);
  ASSERT_NE(dialog, nullptr);
  const QString dest = folder("out");
  ASSERT_TRUE(QDir(dest).mkpath("archive.dat/SOUND"));
  ASSERT_TRUE(testsupport::WriteFile(dest + "/archive.dat/SOUND/LONGNAME9", "a file in the way"));
  runInto(*dialog, dest);

  const QString root = dest + "/archive.dat";
  EXPECT_EQ(contentsOf(root), (QStringList{"FIRST.TXT", "SOUND", "SOUND/LAST.TXT", "SOUND/LONGNAME9"}));
  ASSERT_EQ(dialogs.messages().size(), 1);
  EXPECT_EQ(dialogs.messages().first().text, root +
                                                 " was created succesfully! 2 files extracted.\r\r"
                                                 "1 entry was skipped:\rSOUND\\LONGNAME9\\FX.ACM: " +
                                                 root + "/SOUND/LONGNAME9 is not a folder");
  expectWindowsRestored();

  // A destination folder that vanished stops the run before any entry.
  dialogs.clear();
  action("extractall")->trigger();
  dialog = shownDialog<frmExtractAll>();
  ASSERT_NE(dialog, nullptr);
  const QString gone = runIntoVanishedFolder(*dialog);
  ASSERT_EQ(dialogs.messages().size(), 1);
  testsupport::ShownBox box = dialogs.messages().first();
  EXPECT_EQ(box.text,
            "Could not write " + gone + "\r\rNo such file or directory\r\rThe extraction has been stopped.");
  EXPECT_EQ(box.title, "Extraction stopped");
  EXPECT_EQ(box.icon, platform::MsgIcon::Exclamation);

  // So does the archive's own folder, where DestRoot is the archive itself.
  dialogs.clear();
  action("extractall")->trigger();
  dialog = shownDialog<frmExtractAll>();
  ASSERT_NE(dialog, nullptr);
  runInto(*dialog, QFileInfo(archivePath).path());
  ASSERT_EQ(dialogs.messages().size(), 1);
  EXPECT_TRUE(dialogs.messages().first().text.startsWith("Could not write " + archivePath +
                                                         "\r\rA file stands under this name"));
  expectWindowsRestored();
}

}  // namespace
}  // namespace tallyhold::testing
