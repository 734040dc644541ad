#include "common/platform/Fonts.h"

#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QStringList>

namespace platform {

QFont DesignFont(const QString& family, double points, bool bold) {
  QFont font(family);
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

void RegisterDesignFonts() {
  // fonts-wine ships metric-compatible faces where fontconfig does not look.
  const QDir fonts(QStringLiteral("/usr/share/wine/fonts"));
  for (const char* file : {"tahoma.ttf", "tahomabd.ttf", "ms_sans_serif.ttf", "small_fonts.ttf"})
    if (fonts.exists(QLatin1String(file))) QFontDatabase::addApplicationFont(fonts.filePath(QLatin1String(file)));
  const QStringList narrow = {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"), QStringLiteral("Arial"),
                              QStringLiteral("Nimbus Sans"), QStringLiteral("Helvetica")};
  for (const char* family : {"MS Sans Serif", "Tahoma", "Small Fonts"})
    QFont::insertSubstitutions(QString::fromLatin1(family), narrow);
  // What the windows were designed with wherever they name no font of their own.
  QApplication::setFont(DesignFont(QStringLiteral("MS Sans Serif"), 8.25));
}

}  // namespace platform
