#include <gtest/gtest.h>

#include "common/platform/PathBytes.h"
#include "engine/archive/NamePatterns.h"

namespace {

TEST(EngineNamePatterns, GlobsWithoutLetterCaseEitherSeparatorAndFoldersTakeWhatTheyHold) {
  const engine::NamePatterns patterns({"art/*.frm", "TEXT\\ENGLISH", "s?und\\[ab]*.ACM", "[!x]ONE.TXT"});
  EXPECT_TRUE(patterns.Matches("ART\\CRITTERS\\RUNNER.FRM"));  // "*" across folders
  EXPECT_TRUE(patterns.Matches("text\\english\\game\\maptext.msg"));
  EXPECT_TRUE(patterns.Matches("SOUND\\BIG.ACM"));
  EXPECT_TRUE(patterns.Matches("LONE.TXT"));
  EXPECT_FALSE(patterns.Matches("XONE.TXT"));
  EXPECT_FALSE(patterns.Matches("SOUND\\CBIG.ACM"));
  EXPECT_FALSE(patterns.Matches("TEXT\\ENGLISHMAN.TXT"));
  EXPECT_FALSE(patterns.Matches("MAPS\\ART\\X.FRX"));
  EXPECT_TRUE(engine::NamePatterns({}).Matches("ANYTHING"));
}

TEST(EngineNamePatterns, AFolderWrittenWithItsSeparatorTakesWhatItHolds) {
  const engine::NamePatterns patterns({"art/", "[]x]?\\"});
  EXPECT_TRUE(patterns.Matches("ART\\X.FRM"));
  EXPECT_TRUE(patterns.Matches("]Q\\Y.FRM"));
  EXPECT_FALSE(patterns.Matches("ARTS\\X.FRM"));
  EXPECT_FALSE(patterns.Matches("ART.FRM"));
  EXPECT_FALSE(patterns.Matches("]QQ\\Y.FRM"));
}

// Tried as a backtracking expression, once per folder, such a pattern took
// seconds a name; a hundred names would not end in the test's time.
TEST(EngineNamePatterns, APatternMadeToBacktrackEndsAndPicksWhatItMatches) {
  const engine::NamePatterns stars({"*/*/*/*/*.frm"});
  int picked = 0;
  for (int n = 0; n < 100; ++n) {
    const QByteArray name = QByteArray("a\\").repeated(120) + QByteArray::number(n) + (n == 7 ? ".frm" : ".frmx");
    picked += stars.Matches(name) ? 1 : 0;
  }
  EXPECT_EQ(picked, 1);
}

// The letters of Latin-1, typed as UTF-8 or as the bytes of a Latin-1
// terminal, fold as the archive's folders do; what Latin-1 has not matches
// nothing, and a "?" is never made of it.
TEST(EngineNamePatterns, LettersOfLatin1FoldAsFoldersDo) {
  const QByteArray cafe = "TEXT\\caf\xe9.txt";
  EXPECT_TRUE(engine::NamePatterns({QStringLiteral("text/CAF\u00c9.TXT")}).Matches(cafe));
  EXPECT_TRUE(engine::NamePatterns({platform::DecodedPath("TEXT/CAF\xc9.TXT")}).Matches(cafe));
  EXPECT_TRUE(engine::NamePatterns({QStringLiteral("*[\u00c0-\u00de].txt")}).Matches(cafe));
  EXPECT_FALSE(engine::NamePatterns({QStringLiteral("text/CAFE.TXT")}).Matches(cafe));
  EXPECT_FALSE(engine::NamePatterns({QStringLiteral("text\\caf\u20ac.txt")}).Matches("TEXT\\caf?.txt"));
  EXPECT_FALSE(engine::NamePatterns({QStringLiteral("text\\caf\u20ac.txt")}).Matches("TEXT\\caf\x80.txt"));
}

}  // namespace
