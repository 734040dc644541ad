#include <unistd.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <random>

#include "common/platform/FileNumbers.h"
#include "common/platform/FileSource.h"
#include "common/platform/HiddenFiles.h"
#include "engine/archive/ArchiveOpening.h"
#include "engine/archive/DATFunctions.h"
#include "ledgerlamp/DATFunctions.h"
#include "tests/tools/ToolFixture.h"
#include "tools/Commands.h"
#include "tools/ToolArchive.h"
#include "tools/ToolCommand.h"

using namespace testsupport;

namespace {

class ToolsCreateExtract : public ::testing::Test {
 protected:
  int create(const QString& archive, const QString& folder, const QString& jobs = "2") {
    return tools::RunCreate({"-q", "-j", jobs, path(archive), path(folder)});
  }
  int extract(const QString& archive, const QString& folder, const QString& jobs = "2") {
    QDir().mkpath(path(folder));
    return tools::RunExtract({"-q", "-j", jobs, path(archive), "-C", path(folder)});
  }
  QString path(const QString& relative) const { return scratch.path(relative); }

  ToolFolder scratch;
};

// Empty files, deep folders, Latin-1 names, an entry above 8 MiB, one that
// does not compress; the empty folder has nothing to carry it.
Tree sampleTree() {
  Tree tree;
  tree["README.TXT"] = "top level";
  tree["ART/EMPTY.BIN"] = "";
  tree["ART/CRITTERS/RUNNER01.FRM"] = SampleText(70'000, 1);
  tree[QString::fromUtf8("TEXT/FRANÇAIS/Écran déjà vu.msg")] = SampleText(900, 2);
  tree["A/B/C/D/E/F/G/H/I/J/DEEP.TXT"] = "deep";
  tree["SOUND/BIG.ACM"] = SampleText(9 << 20, 3);
  std::mt19937 random(5);
  QByteArray noise(50'000, Qt::Uninitialized);
  for (char& byte : noise) byte = static_cast<char>(random());
  tree["SOUND/NOISE.RAW"] = noise;
  return tree;
}

TEST_F(ToolsCreateExtract, ExtractGivesBackTheTreeThatCreatePackedByteForByte) {
  WriteTree(path("in"), sampleTree());
  QDir().mkpath(path("in/EMPTY/FOLDER"));
  ASSERT_EQ(create("a.dat", "in"), tools::Success);
  ASSERT_EQ(extract("a.dat", "out"), tools::Success);
  EXPECT_EQ(ReadTree(path("out")), sampleTree());
  EXPECT_FALSE(QFileInfo::exists(path("out/EMPTY")));
}

TEST_F(ToolsCreateExtract, CreateGivesTheSameBytesForEveryNumberOfWorkers) {
  WriteTree(path("in"), sampleTree());
  ASSERT_EQ(create("one.dat", "in", "1"), tools::Success);
  ASSERT_EQ(create("four.dat", "in", "4"), tools::Success);
  EXPECT_EQ(ReadFile(path("one.dat")), ReadFile(path("four.dat")));
}

TEST_F(ToolsCreateExtract, TallyholdsScanAndLedgerlampsLoaderReadWhatCreateWrote) {
  WriteTree(path("in"), sampleTree());
  ASSERT_EQ(create("a.dat", "in"), tools::Success);

  const std::shared_ptr<platform::FileSource> source = platform::FileSource::Open(path("a.dat"));
  ASSERT_TRUE(source);
  engine::ClsDatFile archive;
  const dat::FixedDATInfo info = dat::GetFixedDATInfo(*source);
  archive.DataSize = info.DataSize;
  archive.TreeSize = info.TreeSize;
  archive.DirTreeAddr = info.DirTreeAddr;
  archive.FilesTotal = info.FilesTotal;
  engine::DirTreeReader reader(*source, archive);
  QStringList names;
  for (int n = 0; n < archive.FilesTotal; ++n) reader.ReadNext();
  for (const auto& folder : archive.ColTrees())
    for (const auto& entry : *folder) names << QString::fromLatin1(entry->Filename).replace('\\', '/');
  // Sorted, the files of a folder before the folders in it.
  EXPECT_EQ(names, (QStringList{"README.TXT", "A/B/C/D/E/F/G/H/I/J/DEEP.TXT", "ART/EMPTY.BIN",
                                "ART/CRITTERS/RUNNER01.FRM", "SOUND/BIG.ACM", "SOUND/NOISE.RAW",
                                QString::fromUtf8("TEXT/FRANÇAIS/Écran déjà vu.msg")}));

  const ledgerlamp::ReaderState state = ledgerlamp::LoadDAT(path("a.dat"), [](const QString&) {});
  EXPECT_EQ(state.RecordCount(), 7);
  platform::CloseFile(state.DatFile);
}

// What the archive's directory says of each entry: compressed or not.
QMap<QString, bool> compressedFlags(const QString& path) {
  QMap<QString, bool> flags;
  const tools::ToolArchive archive(path, engine::OpenArchiveFile(path), tools::Reading::AsItActs);
  for (const engine::ClsTreeDir* entry : archive.Records())
    flags.insert(QString::fromLatin1(entry->Filename), entry->IsCompressed());
  return flags;
}

TEST_F(ToolsCreateExtract, BodiesAreStoredWhereCompressionDoesNotHelpOrWhereAskedTo) {
  WriteTree(path("in"), sampleTree());
  ASSERT_EQ(tools::RunCreate({"-q", "--store", "*.acm", path("a.dat"), path("in")}), tools::Success);
  const QMap<QString, bool> flags = compressedFlags(path("a.dat"));
  EXPECT_TRUE(flags["ART\\CRITTERS\\RUNNER01.FRM"]);
  EXPECT_FALSE(flags["SOUND\\BIG.ACM"]);
  EXPECT_FALSE(flags["SOUND\\NOISE.RAW"]);
  EXPECT_FALSE(flags["ART\\EMPTY.BIN"]);
  ASSERT_EQ(tools::RunCreate({"-q", "--level", "0", path("b.dat"), path("in")}), tools::Success);
  EXPECT_FALSE(compressedFlags(path("b.dat")).values().contains(true));
  ASSERT_EQ(extract("a.dat", "out"), tools::Success);
  EXPECT_EQ(ReadTree(path("out")), sampleTree());
}

TEST_F(ToolsCreateExtract, NamesAnArchiveCannotHoldRefuseItBeforeAnythingIsWritten) {
  const Tree refused[] = {
      {{QString::fromUtf8("日本.txt"), "x"}},
      {{QString(200, 'D') + '/' + QString(60, 'F'), "x"}},
      {{"back\\slash", "x"}},
      {{"Art/a", "1"}, {"ART/b", "2"}},
  };
  for (const Tree& tree : refused) {
    SCOPED_TRACE(tree.firstKey().toStdString());
    QDir(path("in")).removeRecursively();
    WriteTree(path("in"), tree);
    EXPECT_EQ(create("a.dat", "in"), tools::Refused);
    EXPECT_EQ(QDir(scratch.dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{});
  }
}

TEST_F(ToolsCreateExtract, ALinkInTheInputIsNeitherFollowedNorPackedAndIsTold) {
  WriteTree(path("in"), {{"KEPT.TXT", "kept"}});
  WriteTree(path("outside"), {{"SECRET.TXT", "secret"}});
  ASSERT_TRUE(QFile::link(path("outside/SECRET.TXT"), path("in/LINK.TXT")));
  ASSERT_TRUE(QFile::link(path("outside"), path("in/LINKED")));
  EXPECT_EQ(create("a.dat", "in"), tools::SomeFailed);
  ASSERT_EQ(extract("a.dat", "out"), tools::Success);
  EXPECT_EQ(ReadTree(path("out")), (Tree{{"KEPT.TXT", "kept"}}));
}

// 127 levels of one letter: the deepest a name of 255 bytes reaches.
TEST_F(ToolsCreateExtract, TheDeepestTreeANameCanHoldIsPackedAndGivenBack) {
  QString deep;
  for (int level = 0; level < 127; ++level) deep += "d/";
  const Tree tree{{deep + "F", "bottom"}, {"TOP", "top"}};
  WriteTree(path("in"), tree);
  ASSERT_EQ(create("a.dat", "in"), tools::Success);
  ASSERT_EQ(extract("a.dat", "out"), tools::Success);
  EXPECT_EQ(ReadTree(path("out")), tree);
}

TEST_F(ToolsCreateExtract, AFileOfTheInputThatTheArchiveLinksToIsPackedAndKept) {
  WriteTree(path("in"), {{"A.TXT", "a"}});
  ASSERT_EQ(::link(QFile::encodeName(path("in/A.TXT")).constData(), QFile::encodeName(path("a.dat")).constData()),
            0);
  ASSERT_EQ(create("a.dat", "in"), tools::Success);
  ASSERT_EQ(extract("a.dat", "out"), tools::Success);
  EXPECT_EQ(ReadTree(path("out")), (Tree{{"A.TXT", "a"}}));
  EXPECT_EQ(ReadFile(path("in/A.TXT")), "a");
}

TEST_F(ToolsCreateExtract, AnArchiveWrittenInsideItsInputIsNotPackedIntoTheNextOne) {
  WriteTree(path("in"), {{"A.TXT", "a"}});
  ASSERT_EQ(create("in/a.dat", "in"), tools::Success);
  ASSERT_EQ(create("in/a.dat", "in"), tools::Success);
  ASSERT_EQ(extract("in/a.dat", "out"), tools::Success);
  EXPECT_EQ(ReadTree(path("out")), (Tree{{"A.TXT", "a"}}));
}

TEST_F(ToolsCreateExtract, AnArchiveLeftHalfWrittenByARunThatDiedIsRemovedByTheNext) {
  WriteTree(path("in"), {{"A.TXT", "a"}});
  const QString stale = QString::fromStdString(platform::hiddenfiles::Name("skarrow2-dat", 7));
  ASSERT_TRUE(WriteFile(path(stale), "half"));
  ASSERT_EQ(create("a.dat", "in"), tools::Success);
  EXPECT_FALSE(QFile::exists(path(stale)));
  EXPECT_TRUE(QFile::exists(path("a.dat")));
}

// Entries that land on one file (folders differing in letter case, a name
// given twice), damaged and unsafe entries among them: the last one wins and
// the damaged ones are skipped, whatever the number of workers.
TEST_F(ToolsCreateExtract, ExtractWithOneAndWithFourWorkersGivesTheSameTree) {
  DatWriter writer;
  for (int n = 0; n < 200; ++n) {
    const QByteArray folder = n % 3 == 0 ? "ART\\SUB\\" : n % 3 == 1 ? "art\\Sub\\" : "TEXT\\";
    writer.add(folder + "F" + QByteArray::number(n % 17) + ".TXT", SampleText(100 + n * 37, n), n % 2 == 0);
  }
  FixtureEntry damaged{"ART\\SUB\\F3.TXT", SampleText(5000, 9), true};
  damaged.realSize = 4999;
  writer.add(damaged).add("..\\ESCAPE.TXT", "x").add("ART", "a file where a folder is");
  ASSERT_TRUE(writer.writeTo(path("a.dat")));
  EXPECT_EQ(extract("a.dat", "one", "1"), tools::SomeFailed);
  EXPECT_EQ(extract("a.dat", "four", "4"), tools::SomeFailed);
  EXPECT_EQ(ReadTree(path("one")), ReadTree(path("four")));
  EXPECT_EQ(ReadTree(path("four")).size(), 17 + 17);
}

}  // namespace
