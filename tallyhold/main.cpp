#include <QApplication>

#include "common/platform/Fonts.h"
#include "tallyhold/windows/AppInfo.h"
#include "tallyhold/windows/Main.h"
#include "tallyhold/windows/Main_Container.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(tallyhold::AppTitle());
  platform::RegisterDesignFonts();
  const auto frame = tallyhold::Main();
  return QApplication::exec();
}
