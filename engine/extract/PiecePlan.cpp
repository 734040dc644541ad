#include "engine/extract/PiecePlan.h"

namespace engine {
namespace {

// Integer division rounded to the nearest integer, halves to the even neighbour.
int32_t roundedQuotient(int32_t dividend, int32_t divisor) {
  const int32_t quotient = dividend / divisor;
  const int32_t twice = 2 * (dividend % divisor);
  if (twice > divisor || (twice == divisor && quotient % 2 != 0)) return quotient + 1;
  return quotient;
}

}  // namespace

PiecePlan PlanPieces(int32_t packedSize) {
  const int32_t last = packedSize - 1;
  PiecePlan plan;
  plan.PieceCount = 2;
  plan.PieceSize = roundedQuotient(last, plan.PieceCount);
  while (plan.PieceSize > PieceBound) {
    plan.PieceCount = static_cast<int16_t>(plan.PieceCount + 2);
    plan.PieceSize = roundedQuotient(last, plan.PieceCount);
  }
  plan.Rem = static_cast<int32_t>(static_cast<int64_t>(last) -
                                  static_cast<int64_t>(plan.PieceCount) * plan.PieceSize);
  return plan;
}

}  // namespace engine
