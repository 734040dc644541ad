#pragma once
class QLabel;

namespace platform {

// Lowers the label's point size, never below 6, until its whole text fits its
// place: the window's design leaves room for the designed font's metrics and
// for the texts it was made for, and a font found here or a longer value may
// be wider. A bitmap font, which cannot be made smaller, gives way to Tahoma.
void ShrinkFontToFit(QLabel* label);

}  // namespace platform
