#pragma once
// The fonts the windows were designed with, in fractional points.
#include <QFont>

namespace platform {

QFont DesignFont(const QString& family, double points, bool bold = false);

// Where a design family is missing, a narrow sans family stands in for it rather
// than the wide default, so that captions fit the boxes they were designed for.
void RegisterFontSubstitutes();

}  // namespace platform
