#include <QApplication>

#include "common/platform/Fonts.h"
#include "ledgerlamp/Main.h"
#include "ledgerlamp/Version.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromLatin1(ledgerlamp::ProgramTitle));
  platform::RegisterDesignFonts();
  ledgerlamp::Main window;
  window.show();
  return QApplication::exec();
}
