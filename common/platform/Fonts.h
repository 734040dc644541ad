#pragma once
// The fonts the windows were designed with, in fractional points.
#include <QFont>

namespace platform {

QFont DesignFont(const QString& family, double points, bool bold = false);

// Registers Tahoma, MS Sans Serif and Small Fonts from Debian's fonts-wine when
// it is installed; where a family is still missing, a narrow sans family stands in for it
// rather than the wide default, so that captions fit the boxes they were designed for.
// MS Sans Serif 8.25 becomes the default font, as the windows were designed.
void RegisterDesignFonts();

}  // namespace platform
