#include "ledgerlamp/Navigation.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ledgerlamp {

std::optional<NavigationState> IndexRule(const QString& indexText, int32_t recordCount) {
  if (indexText.isEmpty()) return std::nullopt;
  if (indexText == QLatin1String("1"))
    return NavigationState{false, false, true, true, QStringLiteral("First record reached")};
  if (indexText.toInt() == recordCount)
    return NavigationState{true, true, false, false, QStringLiteral("Last record reached")};
  return NavigationState{true, true, true, true, QString()};
}

int32_t MoveTarget(Move move, int32_t shownNumber, int32_t recordCount) {
  const int32_t last = std::max(recordCount - 1, 0);
  switch (move) {
    case Move::First:
      return 0;
    case Move::Previous:
      return std::clamp(shownNumber - 2, 0, last);
    case Move::Next:
      return std::clamp(shownNumber, 0, last);
    case Move::Last:
      return last;
  }
  return 0;
}

int32_t JumpNumber(const QString& reply) {
  bool ok = false;
  const double value = reply.trimmed().toDouble(&ok);
  if (!ok || !std::isfinite(value)) return 0;
  const double rounded = std::nearbyint(value);
  if (rounded < std::numeric_limits<int32_t>::min() || rounded > std::numeric_limits<int32_t>::max()) return 0;
  return static_cast<int32_t>(rounded);
}

}  // namespace ledgerlamp
