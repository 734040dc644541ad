// The progress bar's line: the estimate only once it means something.
#include <gtest/gtest.h>

#include "tools/ProgressBar.h"

namespace {

TEST(ProgressLine, ShowsNoEstimateBeforeASecondOrOnePercent) {
  EXPECT_FALSE(tools::ProgressLine(5'000'000, 1'000'000'000, 999).contains("left"));
}

TEST(ProgressLine, ShowsTheEstimateAfterASecond) {
  EXPECT_TRUE(tools::ProgressLine(5'000'000, 1'000'000'000, 1000).endsWith(", 5.0 MB/s, 3:19 left"));
}

TEST(ProgressLine, ShowsTheEstimateAfterOnePercent) {
  EXPECT_TRUE(tools::ProgressLine(10'000'000, 1'000'000'000, 100).endsWith(", 100.0 MB/s, 0:09 left"));
}

}  // namespace
