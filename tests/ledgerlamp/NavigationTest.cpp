#include <gtest/gtest.h>

#include "ledgerlamp/Navigation.h"

using namespace ledgerlamp;

namespace {

// The enabled moving buttons as a word, e.g. "--NL" for Next and Last only.
std::string enabled(const NavigationState& state) {
  return std::string{state.First ? 'F' : '-', state.Prev ? 'P' : '-', state.Next ? 'N' : '-',
                     state.Last ? 'L' : '-'};
}

TEST(LedgerlampNavigation, IndexRuleTestsTheFirstRecordBeforeTheLast) {
  EXPECT_FALSE(IndexRule(QString(), 5).has_value());

  const auto first = IndexRule("1", 5);
  ASSERT_TRUE(first);
  EXPECT_EQ(enabled(*first), "--NL");
  EXPECT_EQ(first->Position, "First record reached");

  const auto last = IndexRule("5", 5);
  ASSERT_TRUE(last);
  EXPECT_EQ(enabled(*last), "FP--");
  EXPECT_EQ(last->Position, "Last record reached");

  const auto middle = IndexRule("4", 5);  // the record before the last is no end
  ASSERT_TRUE(middle);
  EXPECT_EQ(enabled(*middle), "FPNL");
  EXPECT_TRUE(middle->Position.isEmpty());

  EXPECT_EQ(enabled(*IndexRule("1", 1)), "--NL");  // one record: "1" wins over the last
}

TEST(LedgerlampNavigation, MovesStayInsideTheTable) {
  EXPECT_EQ(MoveTarget(Move::First, 4, 5), 0);
  EXPECT_EQ(MoveTarget(Move::Previous, 4, 5), 2);
  EXPECT_EQ(MoveTarget(Move::Next, 4, 5), 4);
  EXPECT_EQ(MoveTarget(Move::Last, 2, 5), 4);
  EXPECT_EQ(MoveTarget(Move::Next, 5, 5), 4);
  EXPECT_EQ(MoveTarget(Move::Previous, 1, 5), 0);
  EXPECT_EQ(MoveTarget(Move::Next, 1, 1), 0);
  EXPECT_EQ(MoveTarget(Move::Last, 1, 1), 0);
}

TEST(LedgerlampNavigation, JumpNumberRoundsHalvesToEvenAndTakesNonNumbersAsZero) {
  EXPECT_EQ(JumpNumber("3"), 3);
  EXPECT_EQ(JumpNumber("  4 "), 4);
  EXPECT_EQ(JumpNumber("2.5"), 2);
  EXPECT_EQ(JumpNumber("3.5"), 4);
  EXPECT_EQ(JumpNumber("2.6"), 3);
  EXPECT_EQ(JumpNumber("-1"), -1);
  EXPECT_EQ(JumpNumber("1e1"), 10);
  EXPECT_EQ(JumpNumber(""), 0);
  EXPECT_EQ(JumpNumber("four"), 0);
  EXPECT_EQ(JumpNumber("4x"), 0);
  EXPECT_EQ(JumpNumber("inf"), 0);
  EXPECT_EQ(JumpNumber("99999999999"), 0);
  EXPECT_EQ(JumpNumber("2147483647"), 2147483647);
}

}  // namespace
