#include "common/widgets/LinkLabel.h"

#include <QMouseEvent>

#include "common/platform/ShellOpen.h"

namespace widgets {

LinkLabel::LinkLabel(const QString& text, const QString& address, QWidget* parent)
    : QLabel(text, parent), address_(address) {
  QPalette blue = palette();
  blue.setColor(QPalette::WindowText, Qt::blue);
  setPalette(blue);
  setCursor(Qt::PointingHandCursor);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
    platform::ShellOpen(address_);
  QLabel::mouseReleaseEvent(event);
}

}  // namespace widgets
