#include "tallyhold/windows/Main.h"

#include <QApplication>
#include <QStyle>

#include "tallyhold/windows/Main_Container.h"

namespace tallyhold {

std::unique_ptr<Main_Container> Main() {
  QApplication::setWindowIcon(QApplication::style()->standardIcon(QStyle::SP_DriveHDIcon));
  auto frame = std::make_unique<Main_Container>();
  frame->show();
  return frame;
}

}  // namespace tallyhold
