#include <gtest/gtest.h>

#include "engine/pack/ArchivePatch.h"

namespace {

using engine::ComesBefore;

TEST(EngineArchivePatch, NamesComeInCreatesOrderTheFilesOfAFolderBeforeItsFolders) {
  EXPECT_TRUE(ComesBefore("Z.TXT", "A\\B.TXT"));
  EXPECT_FALSE(ComesBefore("A\\B.TXT", "Z.TXT"));
  EXPECT_TRUE(ComesBefore("A\\Z.TXT", "A\\B\\C.TXT"));
  EXPECT_TRUE(ComesBefore("A\\B.TXT", "A\\C.TXT"));
  EXPECT_TRUE(ComesBefore("A\\B\\X", "A\\C\\X"));
  EXPECT_TRUE(ComesBefore("A", "A\\B"));
  EXPECT_TRUE(ComesBefore("Z", "\xC9"));  // bytes, not signed characters
  EXPECT_FALSE(ComesBefore("A\\B", "A\\B"));
}

engine::InputTree treeOf(const std::vector<QByteArray>& names) {
  engine::InputTree tree;
  for (const QByteArray& name : names) tree.files.push_back({name, 0, name.toStdString(), 1});
  return tree;
}

// The entries' names are views of names, which the test keeps.
std::vector<engine::OldEntry> oldOf(const std::vector<QByteArray>& names) {
  std::vector<engine::OldEntry> old;
  for (const QByteArray& name : names) old.push_back({name, true, 10, 5, 5 * static_cast<qint64>(old.size())});
  return old;
}

TEST(EngineArchivePatch, AddReplacesWithoutLetterCaseAndTakesTheArchivesFolderSpelling) {
  const std::vector<QByteArray> names{"TOP", "DATA\\A.TXT", "DATA\\C.TXT"};
  const std::vector<engine::OldEntry> old = oldOf(names);
  engine::InputTree tree = treeOf({"data\\c.txt", "data\\B.TXT"});
  const engine::PatchPlan plan = engine::PlanAdd(old, 15, tree);
  EXPECT_TRUE(plan.refused.isEmpty());
  EXPECT_EQ(plan.changes, (QStringList{"add DATA\\B.TXT", "replace DATA\\c.txt"}));
  EXPECT_EQ(plan.bodies, (std::vector<int>{0, 1, ~0, ~1}));
  EXPECT_EQ(plan.records, (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(plan.copiedBytes, 10);
}

// The directory is put in create's order; the bodies keep the old file's.
TEST(EngineArchivePatch, TheKeptBodiesOfAnUnsortedArchiveKeepTheirOrder) {
  const std::vector<QByteArray> names{"B", "A\\X", "A"};
  const std::vector<engine::OldEntry> old = oldOf(names);
  engine::InputTree tree = treeOf({"C"});
  const engine::PatchPlan plan = engine::PlanAdd(old, 15, tree);
  EXPECT_EQ(plan.bodies, (std::vector<int>{0, ~0, 1, 2}));
  EXPECT_EQ(plan.records, (std::vector<int>{3, 0, 1, 2}));
}

// Names with zero bytes, folders whose names begin others, empty folder
// names and a name that is a folder, as a hostile archive may hold them.
TEST(EngineArchivePatch, TheDirectoryFollowsComesBeforeForNamesOfAnyBytes) {
  using namespace Qt::StringLiterals;
  const std::vector<QByteArray> names{"A\\B\\X"_ba, "A\0\\X"_ba, "A\\B\0\\X"_ba, "A\\BC\\X"_ba,
                                      "A\\B"_ba,    "A\0"_ba,    "A"_ba,         "A\\B\0"_ba,
                                      "\\X"_ba,     "X"_ba,      "A\\"_ba,       ""_ba,
                                      "\\"_ba,      "A\\\\B"_ba, "a\\B"_ba,      "A\\B\\Y"_ba};
  const std::vector<engine::OldEntry> old = oldOf(names);
  const engine::PatchPlan plan = engine::PlanDelete(old, 100, std::vector<bool>(old.size()));
  ASSERT_EQ(plan.records.size(), old.size());
  for (std::size_t at = 1; at < plan.records.size(); ++at)
    EXPECT_TRUE(ComesBefore(old[plan.bodies[plan.records[at - 1]]].name, old[plan.bodies[plan.records[at]]].name))
        << at;
}

TEST(EngineArchivePatch, AKeptBodyOutsideTheArchiveRefusesThePlan) {
  const std::vector<QByteArray> names{"A", "B"};
  const std::vector<engine::OldEntry> old = oldOf(names);
  EXPECT_EQ(engine::PlanDelete(old, 9, {true, false}).refused.size(), 1);
  EXPECT_TRUE(engine::PlanDelete(old, 9, {false, true}).refused.isEmpty());
}

TEST(EngineArchivePatch, TwoFilesGivenForOneEntryAreRefused) {
  engine::InputTree tree = treeOf({"X\\A", "x\\a"});
  EXPECT_EQ(engine::PlanAdd({}, 0, tree).refused.size(), 1);
}

}  // namespace
