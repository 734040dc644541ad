#include "gulpwell/FitFont.h"

#include <QFontMetrics>
#include <QLabel>

namespace gulpwell {
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
  while (!fits(label, font) && font.pointSizeF() > 6) font.setPointSizeF(font.pointSizeF() - 0.5);
  label->setFont(font);
}

}  // namespace gulpwell
