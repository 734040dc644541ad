#pragma once
// Window layouts are designed in twips (1/1440 inch) and converted to pixels
// once, at the screen's logical resolution (15 twips a pixel at 96 DPI).
#include <QRect>
#include <QSize>

namespace platform {

constexpr int TwipsPerInch = 1440;

int TwipsToPixelsX(int twips);
int TwipsToPixelsY(int twips);
int PixelsToTwipsX(int pixels);
int PixelsToTwipsY(int pixels);

QRect TwipsRect(int left, int top, int width, int height);
QSize TwipsSize(int width, int height);

}  // namespace platform
