#include "common/platform/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace platform {
namespace {

double dpiX() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->logicalDotsPerInchX() : 96.0;
}

double dpiY() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->logicalDotsPerInchY() : 96.0;
}

}  // namespace

int TwipsToPixelsX(int twips) { return static_cast<int>(std::lround(twips * dpiX() / TwipsPerInch)); }
int TwipsToPixelsY(int twips) { return static_cast<int>(std::lround(twips * dpiY() / TwipsPerInch)); }
int PixelsToTwipsX(int pixels) { return static_cast<int>(std::lround(pixels * TwipsPerInch / dpiX())); }
int PixelsToTwipsY(int pixels) { return static_cast<int>(std::lround(pixels * TwipsPerInch / dpiY())); }

QRect TwipsRect(int left, int top, int width, int height) {
  return {TwipsToPixelsX(left), TwipsToPixelsY(top), TwipsToPixelsX(width), TwipsToPixelsY(height)};
}

QRect TwipsRect(const QRect& twips) { return TwipsRect(twips.x(), twips.y(), twips.width(), twips.height()); }

QSize TwipsSize(int width, int height) { return {TwipsToPixelsX(width), TwipsToPixelsY(height)}; }

}  // namespace platform
