#include <QApplication>

#include "common/platform/Fonts.h"
#include "gulpwell/Mommy.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  platform::RegisterFontSubstitutes();
  gulpwell::Mommy window;
  window.show();
  return app.exec();
}
