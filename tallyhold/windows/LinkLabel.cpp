#include "tallyhold/windows/LinkLabel.h"

#include <QMouseEvent>

namespace tallyhold {

LinkLabel::LinkLabel(const char* name, const QString& text, QWidget* parent)
    : QLabel(text, parent) {
  setObjectName(QLatin1String(name));
  setCursor(Qt::PointingHandCursor);
  QPalette blue = palette();
  blue.setColor(QPalette::WindowText, Qt::blue);
  setPalette(blue);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
    emit clicked();
  QLabel::mouseReleaseEvent(event);
}

}  // namespace tallyhold
