#include <gtest/gtest.h>

#include "engine/archive/DATFunctions.h"
#include "engine/archive/FolderListing.h"

using namespace engine;

namespace {

void add(ColTrees& trees, const QByteArray& name, int32_t offset, uint8_t type) {
  auto entry = std::make_shared<ClsTreeDir>();
  entry->Filename = name;
  entry->FilenameSize = static_cast<int32_t>(name.size());
  entry->Offset = offset;
  entry->RealSize = 100 + offset;
  entry->PackedSize = 7;
  entry->fType = type;
  AddToFolder(trees, entry);
}

QStringList row(const FolderListing& listing, int r) {
  QStringList cells;
  for (int c = 0; c < FolderListing::ColumnCount; ++c) cells << listing.Cell(r, c);
  return cells;
}

TEST(EngineListingTest, RowsShowNameSizesHexOffsetAndCompression) {
  ColTrees trees;
  add(trees, "ART\\CRITTERS\\RUNNER01.FRM", 6699, 1);
  add(trees, "ART\\CRITTERS\\ZERO.FRM", 0, 0);
  add(trees, "ART\\CRITTERS\\NEG.FRM", -2, 2);
  add(trees, "README.TXT", 16, 0);

  const FolderListing critters = FolderListing::Of(trees, "ART\\CRITTERS\\");
  ASSERT_TRUE(critters.Found());
  ASSERT_EQ(critters.RowCount(), 3);
  EXPECT_EQ(row(critters, 0), (QStringList{"RUNNER01.FRM", "25", "1A2Bh", "6799", "7", "True"}));
  EXPECT_EQ(row(critters, 1), (QStringList{"ZERO.FRM", "21", "0h", "100", "7", "False"}));
  EXPECT_EQ(row(critters, 2), (QStringList{"NEG.FRM", "20", "FFFFFFFEh", "98", "7", "False"}));
  EXPECT_EQ(critters.StatusText(), "There are 3 files in this folder");

  // One entry keeps the plural; the path matches without regard to case.
  const FolderListing top = FolderListing::Of(trees, "\\");
  EXPECT_EQ(top.StatusText(), "There are 1 files in this folder");
  EXPECT_EQ(FolderListing::Of(trees, "art\\critters\\").RowCount(), 3);
  EXPECT_TRUE(row(critters, 3).join("").isEmpty());
}

TEST(EngineListingTest, UnknownFolderGivesTheEmptyFolderRowAndNothingListedNoRows) {
  ColTrees trees;
  add(trees, "ART\\CRITTERS\\RUNNER01.FRM", 0, 0);
  const FolderListing onlySubFolders = FolderListing::Of(trees, "ART\\");
  EXPECT_FALSE(onlySubFolders.Found());
  ASSERT_EQ(onlySubFolders.RowCount(), 1);
  EXPECT_EQ(row(onlySubFolders, 0), (QStringList{"Empty folder", "", "", "", "", ""}));
  EXPECT_EQ(onlySubFolders.StatusText(), "There are no files in this folder");
  EXPECT_EQ(FolderListing().RowCount(), 0);
  EXPECT_EQ(FolderListing::Of(ColTrees(), "\\").RowCount(), 1);
}

}  // namespace
