#include "common/platform/MousePointer.h"

#include <QApplication>
#include <QWidget>

namespace platform {

void SetScreenPointer(MousePointer pointer) {
  while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
  if (pointer == MousePointer::ArrowHourglass)
    QApplication::setOverrideCursor(Qt::BusyCursor);
  else if (pointer == MousePointer::Hourglass)
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void SetWidgetPointer(QWidget* widget, MousePointer pointer) {
  if (!widget) return;
  if (pointer == MousePointer::Hourglass)
    widget->setCursor(Qt::WaitCursor);
  else if (pointer == MousePointer::ArrowHourglass)
    widget->setCursor(Qt::BusyCursor);
  else
    widget->unsetCursor();
}

}  // namespace platform
