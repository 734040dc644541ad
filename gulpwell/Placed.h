#pragma once
#include "common/platform/Twips.h"

namespace gulpwell {

// Names a control and puts it where the window's design (in twips) has it.
template <typename Widget>
Widget* Placed(Widget* widget, const char* name, int left, int top, int width, int height) {
  widget->setObjectName(QLatin1String(name));
  widget->setGeometry(platform::TwipsRect(left, top, width, height));
  return widget;
}

}  // namespace gulpwell
