#pragma once
class QWidget;

namespace platform {

// The pointer numbers the windows were designed with.
enum class MousePointer { Default = 0, Arrow = 1, Hourglass = 11, ArrowHourglass = 13 };

// The screen's pointer: ArrowHourglass is a busy override cursor for the whole
// program; Default and Arrow remove every override.
void SetScreenPointer(MousePointer pointer);

// The busy screen pointer for as long as it lives: a long command that ends in a
// message restores the pointer before the message shows.
class BusyPointer {
 public:
  BusyPointer() { SetScreenPointer(MousePointer::ArrowHourglass); }
  ~BusyPointer() { SetScreenPointer(MousePointer::Default); }
  BusyPointer(const BusyPointer&) = delete;
  BusyPointer& operator=(const BusyPointer&) = delete;
};

// One control's pointer: Hourglass is a wait cursor over it; Default and Arrow restore it.
void SetWidgetPointer(QWidget* widget, MousePointer pointer);

}  // namespace platform
