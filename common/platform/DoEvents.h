#pragma once
class QWidget;

namespace platform {

// Lets pending window events run (a Cancel click among them).
void DoEvents();

// Shows the window and waits (half a second at most) until the window system
// has mapped it, since an unmapped window cannot be painted; user input stays
// queued meanwhile, so no command runs before the work it announces.
void ShowAtOnce(QWidget* window);

}  // namespace platform
