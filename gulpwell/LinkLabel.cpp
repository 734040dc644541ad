#include "gulpwell/LinkLabel.h"

#include <QMouseEvent>

#include "common/platform/ShellOpen.h"

namespace gulpwell {

LinkLabel::LinkLabel(const QString& text, const QString& address, QWidget* parent)
    : QLabel(text, parent), address_(address) {
  setStyleSheet(QStringLiteral("color: blue;"));
  setCursor(Qt::PointingHandCursor);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
    platform::ShellOpen(address_);
  QLabel::mouseReleaseEvent(event);
}

}  // namespace gulpwell
