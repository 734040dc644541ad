#include <gtest/gtest.h>

#include "tools/NamePatterns.h"

namespace {

TEST(ToolsNamePatterns, GlobsWithoutLetterCaseEitherSeparatorAndFoldersTakeWhatTheyHold) {
  const tools::NamePatterns patterns({"art/*.frm", "TEXT\\ENGLISH", "s?und\\[ab]*.ACM", "[!x]ONE.TXT"});
  EXPECT_TRUE(patterns.Matches("ART\\CRITTERS\\RUNNER.FRM"));  // "*" across folders
  EXPECT_TRUE(patterns.Matches("text\\english\\game\\maptext.msg"));
  EXPECT_TRUE(patterns.Matches("SOUND\\BIG.ACM"));
  EXPECT_TRUE(patterns.Matches("LONE.TXT"));
  EXPECT_FALSE(patterns.Matches("XONE.TXT"));
  EXPECT_FALSE(patterns.Matches("SOUND\\CBIG.ACM"));
  EXPECT_FALSE(patterns.Matches("TEXT\\ENGLISHMAN.TXT"));
  EXPECT_FALSE(patterns.Matches("MAPS\\ART\\X.FRX"));
  EXPECT_TRUE(tools::NamePatterns({}).Matches("ANYTHING"));
}

}  // namespace
