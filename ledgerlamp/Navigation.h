#pragma once
// Which record a moving command shows and what the window says about the position.
#include <QString>
#include <cstdint>
#include <optional>

namespace ledgerlamp {

struct NavigationState {
  bool First = false;
  bool Prev = false;
  bool Next = false;
  bool Last = false;
  QString Position;  // "First record reached", "Last record reached" or nothing
};

// The rule applied whenever the index box changes; nothing for an empty text.
std::optional<NavigationState> IndexRule(const QString& indexText, int32_t recordCount);

enum class Move { First, Previous, Next, Last };

// Table index to show, given the number of the record shown (from 1); kept
// inside the table so that Next on the last record stays there.
int32_t MoveTarget(Move move, int32_t shownNumber, int32_t recordCount);

// The number typed into the jump prompt: blanks around it are allowed and a
// fraction is rounded to the nearest whole number, halves to even. Empty text,
// text that is not a number and numbers beyond 32 bits count as 0.
int32_t JumpNumber(const QString& reply);

}  // namespace ledgerlamp
