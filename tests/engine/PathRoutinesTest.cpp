#include <gtest/gtest.h>

#include "engine/archive/CommonFunctions.h"

using namespace engine;

namespace {

TEST(PathRoutinesTest, FileNameAndFolderPath) {
  EXPECT_EQ(GetFileName("README.TXT"), "README.TXT");
  EXPECT_EQ(GetFileName("ART\\CRITTERS\\RUNNER01.FRM"), "RUNNER01.FRM");
  EXPECT_EQ(GetFileName("ART\\CRITTERS\\"), "");
  EXPECT_EQ(GetFileName("\\README.TXT"), "README.TXT");
  EXPECT_EQ(GetFolderPath("README.TXT"), "\\");
  EXPECT_EQ(GetFolderPath("ART\\CRITTERS\\RUNNER01.FRM"), "ART\\CRITTERS\\");
  EXPECT_EQ(GetFolderPath("ART\\"), "ART\\");
}

TEST(PathRoutinesTest, LevelsWithExplicitStartAndFoundByTheRoutine) {
  const QByteArray path = "TEXT\\ENGLISH\\DIALOG\\X.MSG";
  EXPECT_EQ(GetPathLevel(path, 1, 0), "TEXT\\");
  EXPECT_EQ(GetPathLevel(path, 2, 5), "ENGLISH");
  EXPECT_EQ(GetPathLevel(path, 3, 12), "DIALOG");
  EXPECT_EQ(GetPathLevel(path, 2, 0), "ENGLISH");
  EXPECT_EQ(GetPathLevel(path, 3, 0), "DIALOG");
  EXPECT_EQ(GetPathLevel(path, 0, 0), "");
  EXPECT_EQ(GetPathLevel(path, 4, 0), "");
}

TEST(PathRoutinesTest, NamesOfNineOrMoreCharactersAndMissingLevelsGiveTheSentinel) {
  EXPECT_EQ(GetPathLevel("README.TXT", 1, 0), "AAbbCCdd");
  EXPECT_EQ(GetPathLevel("ART\\BACKGROUND\\X.FRM", 2, 4), "AAbbCCdd");
  EXPECT_EQ(GetPathLevel("ABCDEFGH\\X", 1, 0), "ABCDEFGH\\");  // 8 characters: found
  EXPECT_EQ(GetPathLevel("ABCDEFGHI\\X", 1, 0), "AAbbCCdd");   // 9: not found
  EXPECT_EQ(GetPathLevel("A\\ABCDEFGH\\X", 2, 2), "ABCDEFGH");
  EXPECT_EQ(GetPathLevel("A\\ABCDEFGHI\\X", 2, 2), "AAbbCCdd");
  EXPECT_EQ(GetPathLevel("A\\B\\X", 3, 3), "AAbbCCdd");    // no third folder
  EXPECT_EQ(GetPathLevel("A\\B\\C", 3, 200), "AAbbCCdd");  // start past the end
  EXPECT_EQ(GetPathLevel("ABCDEFGHI\\B\\C\\X", 3, 0), "AAbbCCdd");
  EXPECT_EQ(GetPathLevel("", 1, 0), "AAbbCCdd");
}

// The byte keys must tell names apart exactly as the folded text does.
TEST(PathRoutinesTest, FoldedBytesAreEqualExactlyWhenFoldedNamesAre) {
  for (int a = 0; a < 256; ++a)
    for (int b = 0; b < 256; ++b) {
      const char one = static_cast<char>(a), other = static_cast<char>(b);
      const bool sameName = FoldedName(QByteArrayView(&one, 1)) == FoldedName(QByteArrayView(&other, 1));
      ASSERT_EQ(FoldedBytes(QByteArrayView(&one, 1)) == FoldedBytes(QByteArrayView(&other, 1)), sameName)
          << a << ' ' << b;
    }
}

}  // namespace
