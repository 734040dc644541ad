#include "common/platform/Fonts.h"

#include <QStringList>

namespace platform {

QFont DesignFont(const QString& family, double points, bool bold) {
  QFont font(family);
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

void RegisterFontSubstitutes() {
  const QStringList narrow = {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                              QStringLiteral("Arial"), QStringLiteral("Nimbus Sans"),
                              QStringLiteral("Helvetica")};
  for (const char* family : {"MS Sans Serif", "Tahoma", "Small Fonts"})
    QFont::insertSubstitutions(QString::fromLatin1(family), narrow);
}

}  // namespace platform
