#include <gtest/gtest.h>

#include <climits>

#include "engine/extract/PiecePlan.h"

using namespace engine;

namespace {

struct Example {
  int32_t packedSize;
  int16_t count;
  int32_t pieceSize;
  int32_t rem;
  int32_t lastPiece;
};

TEST(EngineExtractPiecePlan, ExamplesOfTheCopyInPieces) {
  const Example examples[] = {
      {8388608, 2, 4194304, -1, 4194304},  // 4,194,303.5 rounds up to the even 4,194,304
      {8388609, 2, 4194304, 0, 4194305},
      {8388610, 2, 4194304, 1, 4194306},  // 4,194,304.5 rounds down to the even 4,194,304
      {16777218, 2, 8388608, 1, 8388610},
      {16777219, 4, 4194304, 2, 4194307},  // 8,388,609 passes the bound: 4 pieces
      {50000000, 6, 8333333, 1, 8333335},
  };
  for (const Example& e : examples) {
    SCOPED_TRACE(e.packedSize);
    const PiecePlan plan = PlanPieces(e.packedSize);
    EXPECT_EQ(plan.PieceCount, e.count);
    EXPECT_EQ(plan.PieceSize, e.pieceSize);
    EXPECT_EQ(plan.Rem, e.rem);
    EXPECT_EQ(plan.SizeOf(1), e.pieceSize);
    EXPECT_EQ(plan.SizeOf(e.count), e.lastPiece);
  }
}

TEST(EngineExtractPiecePlan, OnlyEntriesAboveChunkLimitArePieced) {
  EXPECT_FALSE(NeedsPieces(0));
  EXPECT_FALSE(NeedsPieces(8388607));
  EXPECT_TRUE(NeedsPieces(8388608));
}

TEST(EngineExtractPiecePlan, PiecesCoverTheEntryExactlyWithinTheBound) {
  for (int64_t size = 8388608; size <= INT32_MAX; size = size * 3 / 2 + 7777) {
    for (const int32_t packed : {static_cast<int32_t>(size), INT32_MAX}) {
      SCOPED_TRACE(packed);
      const PiecePlan plan = PlanPieces(packed);
      EXPECT_EQ(plan.PieceCount % 2, 0);
      EXPECT_LE(plan.PieceSize, PieceBound);
      EXPECT_LE(std::abs(plan.Rem), plan.PieceCount / 2);
      // The fewest pieces: two fewer would pass the bound.
      if (plan.PieceCount > 2) {
        EXPECT_GT((packed - 1) / (plan.PieceCount - 2), PieceBound - 1);
      }
      int64_t total = 0;
      for (int k = 1; k <= plan.PieceCount; ++k) total += plan.SizeOf(k);
      EXPECT_EQ(total, packed);
    }
  }
}

}  // namespace
