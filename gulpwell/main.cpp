#include <QApplication>

#include "common/platform/Fonts.h"
#include "gulpwell/Mommy.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  platform::RegisterDesignFonts();
  gulpwell::Mommy window;
  window.show();
  return app.exec();
}
