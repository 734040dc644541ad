// Archives nobody planned for, through the frame as a user meets them: with
// bodies that are not where the directory says or inflate far beyond their
// size, and with names that cannot be files. Archives cut short are the
// loader's own test.
#include <QFileInfo>
#include <QTest>

#include "common/platform/FileNumbers.h"
#include "tallyhold/archive/Globals.h"
#include "tallyhold/windows/DAT_Container.h"
#include "tallyhold/windows/frmExtractAll.h"
#include "tests/tallyhold/ExtractDialogsFixture.h"

namespace tallyhold::testing {
namespace {

using testsupport::DatWriter;
using testsupport::FixtureEntry;
using testsupport::ReadFile;
using testsupport::SampleText;

DatWriter smallArchive() {
  return DatWriter()
      .add("TOP.TXT", "top")
      .add("ART\\RUNNER.FRM", SampleText(600, 1), true)
      .add("ART\\SKY.FRM", SampleText(90, 2));
}

class TallyholdHostileArchiveTest : public ExtractDialogsFixture {
 protected:
  // Extract all into a new folder; the text of the one message that follows.
  QString extractAll(const QString& archivePath, const QString& into) {
    dialogs.clear();
    if (!openViaMenu(archivePath)) return "not opened";
    action("extractall")->trigger();
    auto* dialog = shownDialog<frmExtractAll>();
    if (!dialog) return "no dialog";
    runInto(*dialog, dialog->Command1, folder(into));
    const QList<testsupport::ShownBox> boxes = dialogs.messages();
    return boxes.size() == 1 ? boxes.first().text : QString("%1 boxes").arg(boxes.size());
  }

  void expectNothingLeftOpen() {
    EXPECT_EQ(archiveWindowCount(), 0);
    EXPECT_EQ(DATFiles->Count(), 0);
    EXPECT_EQ(platform::OpenCount(), 0);
    EXPECT_TRUE(frame().isEnabled());
    EXPECT_EQ(ending.calls(), 0);
  }
};

// The directory intact, the bodies before it cut by ever more bytes (the
// trailer's length mended): every offset then points elsewhere or outside.
TEST_F(TallyholdHostileArchiveTest, BodiesCutAtEveryLengthAreSkippedOrCopiedButNeverWrittenOutside) {
  const QByteArray whole = smallArchive().build();
  const qint64 bodies = testsupport::FilesTotalOffset(whole);
  for (qint64 cut = 1; cut <= bodies; cut += 7) {
    SCOPED_TRACE(cut);
    const QString into = QString("out%1").arg(cut);
    QByteArray shifted = whole.mid(cut);
    testsupport::PatchInt32(shifted, shifted.size() - 4, static_cast<int32_t>(shifted.size()));
    const QString text = extractAll(writeBytes(shifted, "archive.dat"), into);
    const QString root = dir.filePath(into) + "/archive.dat";
    EXPECT_TRUE(text.startsWith(root + " was created succesfully! 3 files extracted.")) << text.toStdString();
    for (const QString& file : contentsOf(dir.filePath(into)))
      EXPECT_TRUE(QStringList({"archive.dat", "archive.dat/ART", "archive.dat/ART/RUNNER.FRM",
                               "archive.dat/ART/SKY.FRM", "archive.dat/TOP.TXT"})
                      .contains(file))
          << file.toStdString();
    // A compressed body read from the wrong place never inflates to its data.
    EXPECT_NE(ReadFile(root + "/ART/RUNNER.FRM"), SampleText(600, 1));
    expectWindowsRestored();
    WindowInSlot(LastWindowIndex)->close();
    flushDeletes();
    expectNothingLeftOpen();
  }
}

TEST_F(TallyholdHostileArchiveTest, ABombAndNamesThatCannotBeFilesAreSkippedAndNamed) {
  FixtureEntry bomb{"BOMB.BIN", QByteArray(64 << 20, '\0'), true};
  bomb.realSize = 1000;
  DatWriter writer;
  writer.add(bomb);
  for (const QByteArray& name : {QByteArray("NUL\0NAME.TXT", 12), QByteArray("EMPTY\\\\PART.TXT"),
                                 QByteArray("FOLDER\\"), QByteArray("/ABSOLUTE.TXT"), QByteArray("D:\\DRIVE.TXT")})
    writer.add(name, "evil");
  writer.add("FINE.TXT", "fine");
  const QString text = extractAll(write(writer), "out");

  const QString root = dir.filePath("out") + "/archive.dat";
  // The tree's folders are made before the entries; their names are safe.
  EXPECT_EQ(contentsOf(root), (QStringList{"EMPTY", "FINE.TXT", "FOLDER"}));
  EXPECT_EQ(ReadFile(root + "/FINE.TXT"), "fine");
  EXPECT_EQ(text, root + " was created succesfully! 7 files extracted.\r\r6 entries were skipped:\r"
                         "BOMB.BIN: the compressed data inflate to more than 1000 bytes\r"
                         "NUL?NAME.TXT: its name holds a NUL byte\r"
                         "/ABSOLUTE.TXT: its name holds a \"/\"\r"
                         "EMPTY\\\\PART.TXT: its name has an empty folder or file name\r"
                         "FOLDER\\: its name has an empty folder or file name\r"
                         "and 1 more")
      << text.toStdString();
  expectWindowsRestored();
}

TEST_F(TallyholdHostileArchiveTest, AnEntryNamedAsAFolderOfTheArchiveIsSkippedAndNamed) {
  const QString text = extractAll(write(DatWriter().add("SAME\\INSIDE.TXT", "inside").add("SAME", "clash")), "out");
  const QString root = dir.filePath("out") + "/archive.dat";
  EXPECT_EQ(text, root + " was created succesfully! 2 files extracted.\r\r1 entry was skipped:\rSAME: " + root +
                      "/SAME is a folder");
  EXPECT_TRUE(QFileInfo(root + "/SAME").isDir());
  EXPECT_EQ(ReadFile(root + "/SAME/INSIDE.TXT"), "inside");
  expectWindowsRestored();
}

}  // namespace
}  // namespace tallyhold::testing
