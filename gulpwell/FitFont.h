#pragma once
class QLabel;

namespace gulpwell {

// Lowers the label's point size, never below 6, until its whole text fits its
// place: the window's design leaves room for the designed font's metrics, and
// the fonts found here may be wider.
void ShrinkFontToFit(QLabel* label);

}  // namespace gulpwell
