#include "common/platform/DoEvents.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <QWidget>
#include <QWindow>

namespace platform {

void DoEvents() { QCoreApplication::processEvents(); }

void YieldPacer::AfterItem() {
  if (sinceYield_.isValid() && !sinceYield_.hasExpired(10)) return;
  DoEvents();
  sinceYield_.start();
}

void ShowAtOnce(QWidget* window) {
  window->show();
  const QDeadlineTimer deadline(500);
  while (!window->windowHandle()->isExposed() && !deadline.hasExpired()) {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QThread::msleep(1);
  }
}

}  // namespace platform
