#include <QApplication>

#include "gulpwell/Mommy.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  gulpwell::Mommy window;
  window.show();
  return app.exec();
}
