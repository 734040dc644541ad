// skarrow2-dat add and delete: the archive written anew with the kept bodies
// copied as they are, and left whole by every refusal.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "common/platform/FileNumbers.h"
#include "common/platform/FileSource.h"
#include "engine/archive/ArchiveOpening.h"
#include "engine/archive/DATFunctions.h"
#include "ledgerlamp/DATFunctions.h"
#include "tests/tools/ToolFixture.h"
#include "tools/Commands.h"
#include "tools/ToolArchive.h"
#include "tools/ToolCommand.h"

using namespace testsupport;

namespace {

struct Body {
  qint64 offset = 0;
  QByteArray bytes;
};

// Each entry's body as the archive holds it, by name.
QMap<QString, Body> bodies(const QString& path) {
  QMap<QString, Body> found;
  const tools::ToolArchive archive(path, engine::OpenArchiveFile(path), tools::Reading::AsItActs);
  for (const engine::ClsTreeDir* entry : archive.Records()) {
    QByteArray bytes(entry->PackedSize, Qt::Uninitialized);
    platform::ReadFully(*archive.Source(), entry->Offset + 1, bytes.data(), bytes.size());
    found.insert(QString::fromLatin1(entry->Filename), {entry->Offset, bytes});
  }
  return found;
}

class ToolsAddDelete : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteTree(path("in"), original());
    ASSERT_EQ(tools::RunCreate({"-q", "-j", "2", path("a.dat"), path("in")}), tools::Success);
  }
  static Tree original() {
    Tree tree;
    tree["README.TXT"] = "top level";
    tree["ART/FRM/RUNNER.FRM"] = SampleText(70'000, 1);
    tree["ART/FRM/WALKER.FRM"] = SampleText(50'000, 2);
    tree["ART/PAL.PAL"] = SampleText(3'000, 3);
    tree["TEXT/GAME.MSG"] = SampleText(9'000, 4);
    return tree;
  }
  Tree extracted() {
    QDir(path("out")).removeRecursively();
    QDir().mkpath(path("out"));
    EXPECT_EQ(tools::RunExtract({"-q", path("a.dat"), "-C", path("out")}), tools::Success);
    return ReadTree(path("out"));
  }
  QStringList folderEntries() const {
    return QDir(scratch.path("")).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
  }
  QString path(const QString& relative) const { return scratch.path(relative); }

  ToolFolder scratch;
};

TEST_F(ToolsAddDelete, AddGivesTheNewTreeAndCopiesTheOtherBodiesAsTheyAre) {
  const QMap<QString, Body> before = bodies(path("a.dat"));
  WriteTree(path("new"), {{"ART/PAL.PAL", "new palette"}, {"ART/FRM/FLYER.FRM", SampleText(20'000, 5)}});
  ASSERT_EQ(tools::RunAdd({"-q", path("a.dat"), path("new/ART")}), tools::Success);

  Tree expected = original();
  expected["ART/PAL.PAL"] = "new palette";
  expected["ART/FRM/FLYER.FRM"] = SampleText(20'000, 5);
  EXPECT_EQ(extracted(), expected);
  const QMap<QString, Body> after = bodies(path("a.dat"));
  for (const char* kept : {"ART\\FRM\\RUNNER.FRM", "ART\\FRM\\WALKER.FRM", "TEXT\\GAME.MSG"})
    EXPECT_EQ(after[kept].bytes, before[kept].bytes) << kept;
  EXPECT_NE(after["ART\\FRM\\RUNNER.FRM"].offset, before["ART\\FRM\\RUNNER.FRM"].offset);
}

// The directory follows create's order, so the result is the archive create
// makes of the whole folder, byte for byte.
TEST_F(ToolsAddDelete, AddingAFileGivesTheArchiveCreateMakesOfTheWholeFolder) {
  WriteTree(path("more"), {{"ART/FRM/AAA.FRM", SampleText(10'000, 6)}});
  ASSERT_EQ(tools::RunAdd({"-q", path("a.dat"), path("more/ART/FRM/AAA.FRM"), "--as", "ART/FRM"}), tools::Success);
  WriteTree(path("in"), {{"ART/FRM/AAA.FRM", SampleText(10'000, 6)}});
  ASSERT_EQ(tools::RunCreate({"-q", path("whole.dat"), path("in")}), tools::Success);
  EXPECT_EQ(ReadFile(path("a.dat")), ReadFile(path("whole.dat")));
}

TEST_F(ToolsAddDelete, DeleteLeavesTheOtherEntriesWithTheirBodiesAsTheyWere) {
  const QMap<QString, Body> before = bodies(path("a.dat"));
  ASSERT_EQ(tools::RunDelete({"-q", path("a.dat"), "art/frm/r*", "README.TXT"}), tools::Success);
  Tree expected = original();
  expected.remove("ART/FRM/RUNNER.FRM");
  expected.remove("README.TXT");
  EXPECT_EQ(extracted(), expected);
  const QMap<QString, Body> after = bodies(path("a.dat"));
  EXPECT_EQ(after["ART\\FRM\\WALKER.FRM"].bytes, before["ART\\FRM\\WALKER.FRM"].bytes);
  EXPECT_NE(after["ART\\FRM\\WALKER.FRM"].offset, before["ART\\FRM\\WALKER.FRM"].offset);
}

// An archive another tool wrote, its directory in no order: the directory
// takes create's order, the bodies keep theirs and are copied together.
TEST_F(ToolsAddDelete, AnUnsortedDirectoryTakesCreatesOrderAndKeepsItsBodies) {
  ASSERT_TRUE(DatWriter()
                  .add("Z\\LAST.TXT", SampleText(4'000, 8), true)
                  .add("A.TXT", "first")
                  .add("M.TXT", SampleText(2'000, 9), true)
                  .writeTo(path("other.dat")));
  const QMap<QString, Body> before = bodies(path("other.dat"));
  ASSERT_EQ(tools::RunDelete({"-q", path("other.dat"), "a.txt"}), tools::Success);
  const Ran listed = RunTool({"list", path("other.dat")});
  EXPECT_EQ(listed.out, "M.TXT\nZ\\LAST.TXT\n");
  const QMap<QString, Body> after = bodies(path("other.dat"));
  EXPECT_EQ(after["Z\\LAST.TXT"].bytes, before["Z\\LAST.TXT"].bytes);
  EXPECT_EQ(after["Z\\LAST.TXT"].offset, 0);
  EXPECT_EQ(after["M.TXT"].bytes, before["M.TXT"].bytes);
}

TEST_F(ToolsAddDelete, TallyholdsScanAndLedgerlampsLoaderReadTheChangedArchive) {
  WriteTree(path("new"), {{"SOUND/BOOM.ACM", SampleText(5'000, 7)}});
  ASSERT_EQ(tools::RunAdd({"-q", path("a.dat"), path("new/SOUND")}), tools::Success);
  ASSERT_EQ(tools::RunDelete({"-q", path("a.dat"), "TEXT"}), tools::Success);

  const std::shared_ptr<platform::FileSource> source = platform::FileSource::Open(path("a.dat"));
  ASSERT_TRUE(source);
  engine::ClsDatFile archive;
  const dat::FixedDATInfo info = dat::GetFixedDATInfo(*source);
  archive.DataSize = info.DataSize;
  archive.TreeSize = info.TreeSize;
  archive.DirTreeAddr = info.DirTreeAddr;
  archive.FilesTotal = info.FilesTotal;
  engine::DirTreeReader reader(*source, archive);
  for (int n = 0; n < archive.FilesTotal; ++n) reader.ReadNext();
  QStringList names;
  for (const auto& folder : archive.ColTrees())
    for (const auto& entry : *folder) names << QString::fromLatin1(entry->Filename);
  EXPECT_EQ(names, (QStringList{"README.TXT", "ART\\PAL.PAL", "ART\\FRM\\RUNNER.FRM", "ART\\FRM\\WALKER.FRM",
                                "SOUND\\BOOM.ACM"}));

  const ledgerlamp::ReaderState state = ledgerlamp::LoadDAT(path("a.dat"), [](const QString&) {});
  EXPECT_EQ(state.RecordCount(), 5);
  platform::CloseFile(state.DatFile);
}

// One entry, under the new file's name; its folder keeps the archive's
// spelling.
TEST_F(ToolsAddDelete, ReplacingByANameInAnotherLetterCaseKeepsOneEntry) {
  WriteTree(path("new"), {{"text/game.msg", "lower"}});
  ASSERT_EQ(tools::RunAdd({"-q", path("a.dat"), path("new/text")}), tools::Success);
  const QMap<QString, Body> after = bodies(path("a.dat"));
  EXPECT_EQ(after.size(), 5);
  EXPECT_TRUE(after.contains("TEXT\\game.msg"));
  EXPECT_EQ(extracted()["TEXT/game.msg"], "lower");
}

TEST_F(ToolsAddDelete, ARefusedNameWritesNothing) {
  const QByteArray before = ReadFile(path("a.dat"));
  WriteTree(path("new"), {{"ok.txt", "fine"}, {QString::fromUtf8("名前.txt"), "not Latin-1"}});
  const Ran ran = RunTool({"add", path("a.dat"), path("new")});
  EXPECT_EQ(ran.status, tools::Refused);
  EXPECT_TRUE(ran.err.contains("Latin-1, the archive's character set, cannot hold its name"));
  EXPECT_EQ(ReadFile(path("a.dat")), before);
  EXPECT_EQ(folderEntries(), QStringList{"a.dat"});
}

TEST_F(ToolsAddDelete, AFileWhereTheArchiveHasAFolderOfItsNameIsRefused) {
  const QByteArray before = ReadFile(path("a.dat"));
  WriteTree(path("new"), {{"art", "a file"}});
  const Ran ran = RunTool({"add", path("a.dat"), path("new/art")});
  EXPECT_EQ(ran.status, tools::Refused);
  EXPECT_TRUE(ran.err.contains("art: the archive would hold a folder of this name"));
  EXPECT_EQ(ReadFile(path("a.dat")), before);
}

TEST_F(ToolsAddDelete, DeleteOfAPatternThatMatchesNothingWritesNothingAndExits1) {
  const QByteArray before = ReadFile(path("a.dat"));
  const Ran ran = RunTool({"delete", path("a.dat"), "README.TXT", "nomatch*"});
  EXPECT_EQ(ran.status, tools::SomeFailed);
  EXPECT_TRUE(ran.err.contains("nomatch*: no entry matches"));
  EXPECT_FALSE(ran.err.contains("README"));
  EXPECT_EQ(ReadFile(path("a.dat")), before);
  EXPECT_EQ(folderEntries(), QStringList{"a.dat"});
}

TEST_F(ToolsAddDelete, ADryRunTellsEachChangeAndWritesNothing) {
  const QByteArray before = ReadFile(path("a.dat"));
  WriteTree(path("new"), {{"ART/PAL.PAL", "x"}, {"ART/NEW.PAL", "y"}});
  const Ran added = RunTool({"add", "--dry-run", path("a.dat"), path("new/ART")});
  EXPECT_EQ(added.status, tools::Success);
  EXPECT_EQ(added.out, "add ART\\NEW.PAL\nreplace ART\\PAL.PAL\n");
  const Ran deleted = RunTool({"delete", "--dry-run", path("a.dat"), "art/frm"});
  EXPECT_EQ(deleted.status, tools::Success);
  EXPECT_EQ(deleted.out, "delete ART\\FRM\\RUNNER.FRM\ndelete ART\\FRM\\WALKER.FRM\n");
  EXPECT_EQ(ReadFile(path("a.dat")), before);
  EXPECT_EQ(folderEntries(), QStringList{"a.dat"});
}

}  // namespace

// A name given is looked up without letter case, "/" and "\\" alike, in the
// pattern and in the archive's name.
TEST(ToolsDeleteNames, ANameGivenFindsItsEntryWhateverItsCaseAndSeparators) {
  ToolFolder scratch;
  ASSERT_TRUE(
      DatWriter().add("A/B.TXT", "1").add("X\\Y.TXT", "2").add("X\\Z.TXT", "3").writeTo(scratch.path("a.dat")));
  const Ran ran = RunTool({"delete", "--dry-run", scratch.path("a.dat"), "a\\b.txt", "x/y.TXT"});
  EXPECT_EQ(ran.status, tools::Success);
  EXPECT_EQ(ran.out, "delete A/B.TXT\ndelete X\\Y.TXT\n");
}
