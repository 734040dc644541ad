#include "common/platform/FitFont.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QLabel>

#include "common/platform/Fonts.h"

namespace platform {
namespace {

bool fits(const QLabel* label, const QFont& font) {
  const int flags = label->wordWrap() ? Qt::TextWordWrap : 0;
  const QRect room = label->contentsRect();
  const QRect needed = QFontMetrics(font).boundingRect(room, flags, label->text());
  return needed.width() <= room.width() && needed.height() <= room.height();
}

}  // namespace

void ShrinkFontToFit(QLabel* label) {
  QFont font = label->font();
  if (fits(label, font)) return;
  // A bitmap font has no smaller size to give; Tahoma, the scalable design font, has.
  if (!QFontDatabase::isSmoothlyScalable(QFontInfo(font).family()))
    font = DesignFont(QStringLiteral("Tahoma"), font.pointSizeF(), font.bold());
  while (!fits(label, font) && font.pointSizeF() > 6) font.setPointSizeF(font.pointSizeF() - 0.5);
  label->setFont(font);
}

}  // namespace platform
