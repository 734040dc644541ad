#pragma once
// Window layouts are designed in twips (1/1440 inch) and converted to pixels
// once, at the screen's logical resolution (15 twips a pixel at 96 DPI).
#include <QRect>
#include <QSize>
#include <QString>

namespace platform {

constexpr int TwipsPerInch = 1440;

int TwipsToPixelsX(int twips);
int TwipsToPixelsY(int twips);
int PixelsToTwipsX(int pixels);
int PixelsToTwipsY(int pixels);

QRect TwipsRect(int left, int top, int width, int height);
QRect TwipsRect(const QRect& twips);
QSize TwipsSize(int width, int height);

// Names a control (its design name) and puts it where the window's design, in
// twips, has it.
template <typename Widget>
Widget* Place(Widget* widget, const char* name, const QRect& twips) {
  widget->setObjectName(QLatin1String(name));
  widget->setGeometry(TwipsRect(twips));
  return widget;
}

}  // namespace platform
