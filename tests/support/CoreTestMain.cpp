#include <gtest/gtest.h>

#include <QCoreApplication>

// The core's tests run without a GUI application, so that a widget creeping
// into the core fails them.
int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
