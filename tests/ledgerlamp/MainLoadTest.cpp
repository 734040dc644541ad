#include <sys/stat.h>

#include <QApplication>
#include <QDir>
#include <QFile>

#include "tests/ledgerlamp/LedgerlampWindowTest.h"
#include "tests/support/MemoryLimit.h"

using namespace ledgerlamptest;
using platform::MsgButtons;
using platform::MsgIcon;
using testsupport::ShownBox;

namespace {

using LedgerlampLoad = LedgerlampWindowTest;

// Records every text the status window paints, with whether the reader window was
// disabled at that moment, so that a text set but never shown does not count.
class StatusWatcher : public QObject {
 public:
  explicit StatusWatcher(QWidget* main) : main_(main) { qApp->installEventFilter(this); }
  ~StatusWatcher() override { qApp->removeEventFilter(this); }

  QStringList painted;
  bool mainDisabledThroughout = true;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* label = qobject_cast<QLabel*>(watched);
    if (event->type() == QEvent::Paint && label && label->objectName() == "Label1" &&
        label->window()->objectName() == "ProgressForm") {
      if (painted.isEmpty() || painted.last() != label->text()) painted << label->text();
      mainDisabledThroughout = mainDisabledThroughout && !main_->isEnabled();
    }
    return false;
  }

 private:
  QWidget* main_;
};

bool progressFormExists() {
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (widget->objectName() == "ProgressForm") return true;
  return false;
}

TEST_F(LedgerlampLoad, OpenDialogAsksForADatFileAndCancelChangesNothing) {
  click("cmdOpenDat");
  ASSERT_EQ(dialogs.shown().size(), 1);
  testsupport::ExpectOpenDatBox(dialogs.shown()[0], "DAT Files (*.dat)");
  EXPECT_EQ(commands(), "------");
  EXPECT_EQ(window.findChild<QLineEdit*>("fLoad"), nullptr);  // nothing chosen, nothing created

  const QString path = Written(dir, "blanks.dat", FiveRecords().build());
  dialogs.answerOpenFile("  " + path + " ");
  click("cmdOpenDat");
  EXPECT_EQ(text("txtFilesTotal"), "5");
  EXPECT_EQ(window.findChild<QLineEdit*>("fLoad")->text(), path);
}

TEST_F(LedgerlampLoad, LoadShowsEachStepThenTheFirstRecord) {
  const testsupport::DatWriter writer = FiveRecords();
  const QByteArray bytes = writer.build();
  StatusWatcher watcher(&window);
  open("five.dat", bytes);

  EXPECT_EQ(watcher.painted.join('|').toStdString(),
            "Initializing...|Getting fixed DAT info...|Getting fixed DAT info... DATSizes|"
            "Getting fixed DAT info... DirTreeAddr|Getting fixed DAT info... FilesTotal|"
            "Scanning DAT...|Ready!");
  EXPECT_TRUE(watcher.mainDisabledThroughout);
  EXPECT_FALSE(progressFormExists());
  EXPECT_TRUE(window.isEnabled());

  expectRecord(1, "README.TXT");
  EXPECT_EQ(text("txtType"), "0");
  EXPECT_EQ(text("txtRealSize"), "5");
  EXPECT_EQ(text("txtPackedSize"), "5");
  EXPECT_EQ(text("txtOffset"), "0h");
  EXPECT_EQ(commands(), "--NLJU");
  EXPECT_EQ(position(), "First record reached");
  EXPECT_EQ(text("txtFilesTotal"), "5");
  EXPECT_EQ(text("txtDataSize"), QString::number(bytes.size()) + " bytes");
  EXPECT_EQ(text("txtTreeSize"), QString::number(testsupport::Int32At(bytes, bytes.size() - 8)) + " bytes");
  EXPECT_TRUE(dialogs.messages().isEmpty());
  EXPECT_EQ(platform::OpenCount(), 1);
}

TEST_F(LedgerlampLoad, HeaderBoxesShowTheTrailerValues) {
  open("thousand.dat", testsupport::DatWriter().add(QByteArray(79, 'N'), testsupport::SampleText(892)).build());
  EXPECT_EQ(text("txtDataSize"), "1000 bytes");
  EXPECT_EQ(text("txtTreeSize"), "100 bytes");
  EXPECT_EQ(text("txtOffset"), "0h");
  // A value too long for its box shows its first digits, never only its last.
  for (const char* name : {"txtDataSize", "txtTreeSize", "txtFilesTotal"})
    EXPECT_EQ(child<QLineEdit>(name)->cursorPosition(), 0) << name;
}

TEST_F(LedgerlampLoad, ASecondArchiveReplacesTheFirst) {
  open("five.dat", FiveRecords().build());
  click("cmdNext");
  click("cmdNext");
  const int firstFile = openFileNumber();

  testsupport::DatWriter three;
  three.add("ONE", "1").add("TWO", "22").add("THREE", "333");
  open("three.dat", three.build());
  expectRecord(1, "ONE");
  EXPECT_EQ(text("txtFilesTotal"), "3");
  EXPECT_EQ(commands(), "--NLJU");
  EXPECT_EQ(position(), "First record reached");
  EXPECT_EQ(platform::OpenCount(), 1);
  EXPECT_NE(openFileNumber(), firstFile);
  click("cmdLast");
  expectRecord(3, "THREE");
  EXPECT_EQ(position(), "Last record reached");
}

TEST_F(LedgerlampLoad, AFileThatIsNoArchiveIsRefusedAndTheEarlierOneStaysUsable) {
  open("five.dat", FiveRecords().build());
  click("cmdNext");
  click("cmdNext");
  bool progressShownDuringMessage = false;
  bool mainDisabledDuringMessage = false;
  dialogs.onNextMessage([&] {
    progressShownDuringMessage = progressFormExists();
    mainDisabledDuringMessage = !window.isEnabled();
  });
  const QString refused = open("notes.dat", "These notes are text, not an archive at all.");

  ASSERT_EQ(dialogs.messages().size(), 1);
  const ShownBox box = dialogs.messages()[0];
  EXPECT_EQ(box.text, "This is not a Skarrow 2 DAT file!");
  EXPECT_EQ(box.title, "Ledgerlamp");
  EXPECT_EQ(box.icon, MsgIcon::None);
  EXPECT_EQ(box.buttons, MsgButtons::Ok);
  EXPECT_TRUE(progressShownDuringMessage);
  EXPECT_TRUE(mainDisabledDuringMessage);
  EXPECT_FALSE(progressFormExists());
  EXPECT_TRUE(window.isEnabled());

  expectRecord(3, "text\\english\\game\\MAPTEXT.MSG");
  EXPECT_EQ(platform::OpenCount(), 1);
  click("cmdNext");
  expectRecord(4, "sound\\HARBOUR.WAV");
  click("cmdLast");
  expectRecord(5, "LAST.DAT");
  EXPECT_EQ(window.findChild<QLineEdit*>("fLoad")->text(), refused);
}

// The loader names each problem; here one reaches the user, and the earlier
// archive stays. A pipe is refused at once, never waited on.
TEST_F(LedgerlampLoad, APipeIsRefusedAtOnceAndTheEarlierArchiveStays) {
  open("five.dat", FiveRecords().build());
  click("cmdLast");
  const QString pipe = dir.filePath("pipe.dat");
  ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
  dialogs.answerOpenFile(pipe);
  click("cmdOpenDat");
  ASSERT_EQ(dialogs.messages().size(), 1);
  const ShownBox box = dialogs.messages()[0];
  EXPECT_EQ(box.text, "Cannot load " + pipe + ": it is a pipe, not a file.");
  EXPECT_EQ(box.title, "Ledgerlamp");
  EXPECT_EQ(box.icon, MsgIcon::Exclamation);
  expectRecord(5, "LAST.DAT");
  EXPECT_EQ(platform::OpenCount(), 1);
  click("cmdFirst");
  expectRecord(1, "README.TXT");
}

// Every length is refused by the loader; here a few show that the refusal
// reaches the user and the earlier archive stays.
TEST_F(LedgerlampLoad, AnArchiveCutShortIsRefusedAndTheEarlierOneStays) {
  const QByteArray whole = FiveRecords().build();
  open("five.dat", whole);
  click("cmdLast");
  const qsizetype insideDirectory = testsupport::FirstRecordOffset(whole) + 10;
  for (const qsizetype length : {qsizetype(1), insideDirectory, whole.size() - 3}) {
    SCOPED_TRACE(length);
    dialogs.clear();
    open(QString("cut%1.dat").arg(length), whole.left(length));
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages()[0].text, "This is not a Skarrow 2 DAT file!");
    expectRecord(5, "LAST.DAT");
    EXPECT_EQ(platform::OpenCount(), 1);
  }
}

TEST_F(LedgerlampLoad, ABrokenFirstRecordIsRefusedAndTheEarlierArchiveStaysNavigable) {
  open("five.dat", FiveRecords().build());
  click("cmdNext");
  const QString path = open("broken %3 %1.dat", WithFilenameSize(FiveRecords(), 1, -1));
  ASSERT_EQ(dialogs.messages().size(), 1);
  const ShownBox box = dialogs.messages()[0];
  EXPECT_EQ(box.text, "Cannot load " + path + ": record 1 has a negative FilenameSize (-1).");
  EXPECT_EQ(box.icon, MsgIcon::Exclamation);

  EXPECT_EQ(text("txtFilesTotal"), "5");
  expectRecord(2, "art\\critters\\GULL.BMP");
  EXPECT_EQ(platform::OpenCount(), 1);
  click("cmdNext");
  expectRecord(3, "text\\english\\game\\MAPTEXT.MSG");
  click("cmdLast");
  expectRecord(5, "LAST.DAT");
  EXPECT_EQ(commands(), "FP--JU");
}

// The trailer claims 2 GiB of directory and FilesTotal 0: loaded in a child
// process whose address space may grow by 256 MiB at most; then records that
// fill that claim are refused, and the first stays.
TEST_F(LedgerlampLoad, ADirectoryClaimOfTwoGibibytesLoadsInLittleMemory) {
  const auto [path, full] = testsupport::WriteLargestClaims(dir.path());
  ASSERT_FALSE(path.isEmpty());
  testsupport::ExpectWithinAddressSpace(256 << 20, [&] {
    dialogs.answerOpenFile(path);
    click("cmdOpenDat");
    const bool loaded = text("txtFilesTotal") == "0" && dialogs.messages().isEmpty();
    dialogs.answerOpenFile(full);
    click("cmdOpenDat");
    return loaded && dialogs.messages().size() == 1 &&
           dialogs.messages()[0].text ==
               "Cannot load " + full + ": there is not enough memory for its directory." &&
           text("txtFilesTotal") == "0";
  });
}

TEST_F(LedgerlampLoad, AnArchiveWithNoRecordToShowLeavesTheMovingButtonsOff) {
  open("five.dat", FiveRecords().build());
  click("cmdLast");

  open("empty.dat", testsupport::DatWriter().build());
  EXPECT_EQ(text("txtFilesTotal"), "0");
  EXPECT_EQ(text("txtTreeSize"), "4 bytes");
  for (const char* name :
       {"txtFilename", "txtFilenameSize", "txtType", "txtPackedSize", "txtRealSize", "txtOffset", "txtIndex"})
    EXPECT_TRUE(text(name).isEmpty()) << name;
  EXPECT_TRUE(position().isEmpty());
  EXPECT_EQ(commands(), "-----U");
  EXPECT_TRUE(dialogs.messages().isEmpty());
}

}  // namespace
