#include <gtest/gtest.h>

#include "engine/archive/ColDatFiles.h"

using namespace engine;

namespace {

std::shared_ptr<ColSubTree> folder(const char* path) {
  auto subTree = std::make_shared<ColSubTree>();
  subTree->TreePath = path;
  return subTree;
}

TEST(CollectionsTest, PositionsFromOneKeysWithoutCaseAndRemoveClosesTheGap) {
  ColTrees trees;
  trees.Add(folder("ART\\"), "ART\\");
  trees.Add(folder("TEXT\\"), "TEXT\\");
  trees.Add(folder("\\"));  // without key
  EXPECT_EQ(trees.Count(), 3);
  EXPECT_EQ(trees.Item(1)->TreePath, "ART\\");
  EXPECT_EQ(trees.Item("text\\")->TreePath, "TEXT\\");
  EXPECT_THROW(trees.Item(0), CollectionError);
  EXPECT_THROW(trees.Item(4), CollectionError);
  EXPECT_THROW(trees.Item("nope"), CollectionError);

  // A key differing only in case is a duplicate: the add fails and adds nothing.
  EXPECT_THROW(trees.Add(folder("art\\"), "art\\"), CollectionError);
  EXPECT_EQ(trees.Count(), 3);

  trees.Remove("Art\\");
  EXPECT_EQ(trees.Count(), 2);
  EXPECT_EQ(trees.Item(1)->TreePath, "TEXT\\");
  EXPECT_EQ(trees.Item(2)->TreePath, "\\");
  EXPECT_EQ(trees.Find("ART\\"), nullptr);
  trees.Add(folder("art\\"), "art\\");  // the key is free again
  trees.Remove(1);
  QList<QByteArray> order;
  for (const auto& subTree : trees) order << subTree->TreePath;
  EXPECT_EQ(order, (QList<QByteArray>{"\\", "art\\"}));
}

TEST(CollectionsTest, ArchivesAreFoundAndRemovedByTheirNumber) {
  ColDatFiles files;
  files.Add(1, "first.dat");
  files.Add(2, "second.dat");
  files.Remove(1);
  // Archive 2 is now at position 1 but is still found as number 2.
  ASSERT_EQ(files.Count(), 1);
  EXPECT_EQ(files.Item(2)->Key, "second.dat");
  EXPECT_THROW(files.Item(1), CollectionError);

  // Number 1 reused, appended after archive 2, found by its number.
  files.Add(1, "third.dat");
  EXPECT_EQ(files.Item(1)->Key, "third.dat");
  EXPECT_EQ(files.Item(2)->Key, "second.dat");
  const auto added = files.Item(1);
  EXPECT_EQ(added->DataSize, 0);
  EXPECT_EQ(added->FilesTotal, 0);
  EXPECT_EQ(added->ColTrees().Count(), 0);
}

TEST(CollectionsTest, ClearedFoldersReadBackAsANewEmptyCollection) {
  ClsDatFile file;
  file.ColTrees().Add(folder("A\\"), "A\\");
  EXPECT_EQ(file.ColTrees().Count(), 1);
  file.SetColTrees(nullptr);
  EXPECT_EQ(file.ColTrees().Count(), 0);
}

TEST(CollectionsTest, EntryFolderIsDerivedFromTheName) {
  ClsTreeDir entry;
  entry.Filename = "ART\\CRITTERS\\RUNNER01.FRM";
  EXPECT_EQ(entry.FilePath(), "ART\\CRITTERS\\");
  entry.fType = 2;
  EXPECT_FALSE(entry.IsCompressed());
}

}  // namespace
