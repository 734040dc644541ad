// Archives nobody planned for, through the frame as a user meets them: with
// bodies that inflate far beyond their size and with names that cannot be
// files. Archives cut short are the loader's and the engine's own tests.
#include <QFileInfo>

#include "tallyhold/windows/frmExtractAll.h"
#include "tests/tallyhold/ExtractDialogsFixture.h"

namespace tallyhold::testing {
namespace {

using testsupport::DatWriter;
using testsupport::FixtureEntry;
using testsupport::ReadFile;

class TallyholdHostileArchiveTest : public ExtractDialogsFixture {
 protected:
  // Extract all into a new folder; the text of the one message that follows.
  QString extractAll(const QString& archivePath, const QString& into) {
    dialogs.clear();
    if (!openViaMenu(archivePath)) return "not opened";
    action("extractall")->trigger();
    auto* dialog = shownDialog<frmExtractAll>();
    if (!dialog) return "no dialog";
    runInto(*dialog, folder(into));
    const QList<testsupport::ShownBox> boxes = dialogs.messages();
    return boxes.size() == 1 ? boxes.first().text : QString("%1 boxes").arg(boxes.size());
  }
};

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
  EXPECT_EQ(text, root + " was created succesfully! 1 files extracted.\r\r6 entries were skipped:\r"
                         "BOMB.BIN: the compressed data inflate to more than 1000 bytes\r"
                         "NUL\\x00NAME.TXT: its name holds a NUL byte\r"
                         "/ABSOLUTE.TXT: its name holds a \"/\"\r"
                         "EMPTY\\\\PART.TXT: its name has an empty folder or file name\r"
                         "FOLDER\\: its name has an empty folder or file name\r"
                         "and 1 more")
      << text.toStdString();
  expectWindowsRestored();
}

TEST_F(TallyholdHostileArchiveTest, AnEntryNamedAsAFolderOfTheArchiveIsSkippedAndNamed) {
  const QString text = extractAll(write(DatWriter().add("SAME\\INSIDE.TXT", "inside").add("SAME", "clash")),
                                  "out");
  const QString root = dir.filePath("out") + "/archive.dat";
  EXPECT_EQ(text, root + " was created succesfully! 1 files extracted.\r\r1 entry was skipped:\rSAME: " + root +
                      "/SAME is a folder");
  EXPECT_TRUE(QFileInfo(root + "/SAME").isDir());
  EXPECT_EQ(ReadFile(root + "/SAME/INSIDE.TXT"), "inside");
  expectWindowsRestored();
}

}  // namespace
}  // namespace tallyhold::testing
