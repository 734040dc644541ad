#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "common/platform/MemorySource.h"
#include "engine/archive/ArchiveOpening.h"
#include "engine/archive/DATFunctions.h"
#include "tests/support/DatWriter.h"

using namespace engine;
using testsupport::DatWriter;

namespace {

std::vector<TreeNode> nodesOf(const QList<QByteArray>& names) {
  FolderTreeStep step;
  std::vector<TreeNode> nodes;
  for (const QByteArray& name : names) step.Add(name, nodes);
  return nodes;
}

TEST(EngineScanTest, TreeNodesCoverThreeLevelsOfShortFolderNames) {
  EXPECT_TRUE(nodesOf({"README.TXT"}).empty());
  EXPECT_EQ(nodesOf({"TEXT\\ENGLISH\\DIALOG\\X.MSG"}), (std::vector<TreeNode>{{"Mother0", "TEXT", ""},
                                                                              {"Child10", "ENGLISH", "Mother0"},
                                                                              {"Child20", "DIALOG", "Child10"}}));
  // A level-2 name of 10 characters stops the tree below ART.
  EXPECT_EQ(nodesOf({"ART\\BACKGROUND\\X.FRM"}), (std::vector<TreeNode>{{"Mother0", "ART", ""}}));
  // Nothing below level 3, and names of 8 characters still count.
  EXPECT_EQ(nodesOf({"ABCDEFGH\\B\\C\\D\\E.X"}), (std::vector<TreeNode>{{"Mother0", "ABCDEFGH", ""},
                                                                        {"Child10", "B", "Mother0"},
                                                                        {"Child20", "C", "Child10"}}));
  EXPECT_TRUE(nodesOf({"ABCDEFGHI\\B\\X"}).empty());
}

TEST(EngineScanTest, EachLevelComparesWithThePreviousEntryOnly) {
  EXPECT_EQ(nodesOf({"A\\X\\1", "B\\X\\2"}), (std::vector<TreeNode>{{"Mother0", "A", ""},
                                                                    {"Child10", "X", "Mother0"},
                                                                    {"Mother1", "B", ""},
                                                                    {"Child11", "X", "Mother1"}}));
  EXPECT_EQ(nodesOf({"A\\B\\C\\1", "A\\B\\C\\2", "A\\B\\D\\3", "A\\E\\D\\4"}),
            (std::vector<TreeNode>{{"Mother0", "A", ""},
                                   {"Child10", "B", "Mother0"},
                                   {"Child20", "C", "Child10"},
                                   {"Child21", "D", "Child10"},
                                   {"Child11", "E", "Mother0"},
                                   {"Child22", "D", "Child11"}}));
  // A folder whose entries come in two runs is shown twice; letter case counts.
  EXPECT_EQ(nodesOf({"ART\\1", "TEXT\\2", "ART\\3", "art\\4"}),
            (std::vector<TreeNode>{
                {"Mother0", "ART", ""}, {"Mother1", "TEXT", ""}, {"Mother2", "ART", ""}, {"Mother3", "art", ""}}));
}

std::shared_ptr<ClsTreeDir> entryNamed(const QByteArray& name) {
  auto entry = std::make_shared<ClsTreeDir>();
  entry->Filename = name;
  entry->FilenameSize = static_cast<int32_t>(name.size());
  return entry;
}

TEST(EngineScanTest, FoldersDifferingOnlyInCaseAreOneNamedByTheFirstSpelling) {
  ColTrees trees;
  ColSubTree* last = nullptr;
  for (const char* name : {"Art\\Sub\\a", "README.TXT", "ART\\SUB\\b", "art\\sub\\c", "X\\d"})
    last = &AddToFolder(trees, entryNamed(name), last);
  ASSERT_EQ(trees.Count(), 3);
  EXPECT_EQ(trees.Item(1)->TreePath, "Art\\Sub\\");
  EXPECT_EQ(trees.Item(2)->TreePath, "\\");
  EXPECT_EQ(trees.Item(3)->TreePath, "X\\");
  const auto art = trees.Item("ART\\SUB\\");
  ASSERT_EQ(art->Count(), 3);
  EXPECT_EQ(art->Item(1)->Filename, "Art\\Sub\\a");
  EXPECT_EQ(art->Item(3)->Filename, "art\\sub\\c");
  // A hint naming another folder is only a shortcut, never a wrong answer.
  AddToFolder(trees, entryNamed("X\\e"), art.get());
  EXPECT_EQ(trees.Item("x\\")->Count(), 2);
  EXPECT_EQ(art->Count(), 3);
}

TEST(EngineScanTest, BarMovesAtEntriesFiveNineAndThirteen) {
  ScanProgressStep step;
  QList<int> moves;
  for (int entry = 1; entry <= 13; ++entry)
    if (step.Next()) moves << entry;
  EXPECT_EQ(moves, (QList<int>{5, 9, 13}));
}

class EngineDirTreeReaderTest : public ::testing::Test {
 protected:
  // The archive object as the open command leaves it, for the bytes given.
  const platform::ArchiveSource& open(const QByteArray& bytes) {
    source = std::make_unique<platform::MemorySource>(bytes, 5);
    archive.SetFixedInfo(dat::GetFixedDATInfo(*source));
    return *source;
  }

  std::unique_ptr<platform::MemorySource> source;
  ClsDatFile archive;
};

TEST_F(EngineDirTreeReaderTest, FilesEveryRecordAndReportsItsNodes) {
  testsupport::FixtureEntry odd;
  odd.name = "TEXT\\ENGLISH\\DIALOG\\X.MSG";
  odd.data = "xyz";
  odd.type = 2;
  odd.offset = -1;
  DatWriter writer;
  writer.add("README.TXT", "hello").add(odd).add(QByteArray(300, 'n'), "long", true);
  DirTreeReader reader(open(writer.build()), archive);

  EXPECT_TRUE(reader.ReadNext().empty());
  EXPECT_EQ(reader.ReadNext().size(), 3u);
  EXPECT_TRUE(reader.ReadNext().empty());
  EXPECT_EQ(reader.RecordsRead(), 3);

  ColTrees& trees = archive.ColTrees();
  ASSERT_EQ(trees.Count(), 2);
  const auto top = trees.Item("\\");
  ASSERT_EQ(top->Count(), 2);
  EXPECT_EQ(top->Item(1)->Filename, "README.TXT");
  EXPECT_EQ(top->Item(1)->RealSize, 5);
  EXPECT_EQ(top->Item(1)->Offset, 0);
  EXPECT_EQ(top->Item(2)->FilenameSize, 300);
  EXPECT_EQ(top->Item(2)->Filename, QByteArray(255, 'n'));
  EXPECT_EQ(top->Item(2)->fType, 1);
  EXPECT_EQ(top->Item(2)->RealSize, 4);
  const auto dialog = trees.Item("TEXT\\ENGLISH\\DIALOG\\");
  EXPECT_EQ(dialog->Item(1)->fType, 2);
  EXPECT_EQ(dialog->Item(1)->Offset, -1);
  EXPECT_EQ(dialog->Item(1)->PackedSize, 3);
  EXPECT_EQ(dialog->Item(1)->FilePath(), "TEXT\\ENGLISH\\DIALOG\\");
}

TEST_F(EngineDirTreeReaderTest, RecordOutsideTheDirectoryThrowsAndFilesNothing) {
  testsupport::FixtureEntry negative;
  negative.name = "bad";
  negative.filenameSize = -5;
  DatWriter writer;
  writer.add("good", "1").add(negative);
  DirTreeReader reader(open(writer.build()), archive);
  reader.ReadNext();
  try {
    reader.ReadNext();
    FAIL() << "the negative FilenameSize was accepted";
  } catch (const ArchiveRefused& refused) {
    EXPECT_EQ(refused.refusal().kind, ArchiveRefusal::Kind::BadDirectory);
    EXPECT_EQ(refused.refusal().detail, "record 2 has a negative FilenameSize (-5)");
  }
  EXPECT_EQ(archive.ColTrees().Item("\\")->Count(), 1);
}

}  // namespace
