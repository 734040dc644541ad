#pragma once
#include <QElapsedTimer>

class QWidget;

namespace platform {

// Lets pending window events run (a Cancel click among them).
void DoEvents();

// Serving the events costs far more than a small item of long work, so the
// work yields after its first item and then once 10 ms have passed since the
// last yield. The work still tests its stop flag before every item: nothing is
// started after the yield that saw Cancel.
class YieldPacer {
 public:
  void AfterItem();

 private:
  QElapsedTimer sinceYield_;
};

// Shows the window and waits (half a second at most) until the window system
// has mapped it, since an unmapped window cannot be painted; user input stays
// queued meanwhile, so no command runs before the work it announces.
void ShowAtOnce(QWidget* window);

}  // namespace platform
