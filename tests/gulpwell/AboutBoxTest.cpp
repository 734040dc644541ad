#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "gulpwell/AboutBox.h"
#include "gulpwell/Mommy.h"
#include "tests/support/PlatformRecorders.h"
#include "tests/widgets/QtPrinters.h"

namespace {

TEST(GulpwellAboutBox, ShowsTheVersionAndHandsItsLinksToTheDesktop) {
  testsupport::ShellOpenRecorder shell;
  gulpwell::AboutBox box;
  box.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
  EXPECT_EQ(box.windowTitle(), "About Gulpwell! v1.3");
  EXPECT_EQ(box.findChild<QLabel*>("Label3")->text(), "Version: 1.3 Build 1");
  auto* text = box.findChild<QPlainTextEdit*>("Text1");
  ASSERT_NE(text, nullptr);
  EXPECT_TRUE(text->isReadOnly());
  EXPECT_EQ(text->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_FALSE(text->toPlainText().isEmpty());
  EXPECT_EQ(box.findChild<QLabel*>("Label1")->text(), "Visit Brassmoth!");
  EXPECT_EQ(box.findChild<QLabel*>("Label4")->text(), "e-mail me!");

  for (const char* name : {"Label1", "Label2", "Label4"})
    QTest::mouseClick(box.findChild<QLabel*>(name), Qt::LeftButton);
  ASSERT_EQ(shell.addresses().size(), 3);
  EXPECT_TRUE(shell.addresses()[0].startsWith("https://"));
  EXPECT_TRUE(shell.addresses()[1].startsWith("https://"));
  EXPECT_NE(shell.addresses()[0], shell.addresses()[1]);
  EXPECT_TRUE(shell.addresses()[2].startsWith("mailto:"));

  QTest::mouseClick(box.findChild<QPushButton*>("cmd"), Qt::LeftButton);
  EXPECT_FALSE(box.isVisible());
}

TEST(GulpwellAboutBox, OpensModallyFromTheAboutButtonAndOKClosesIt) {
  gulpwell::Mommy window;
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  QString seenTitle;
  bool wasModal = false;
  QTimer::singleShot(0, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    seenTitle = modal->windowTitle();
    wasModal = modal->isModal();
    QTest::mouseClick(modal->findChild<QPushButton*>("cmd"), Qt::LeftButton);
  });
  QTest::mouseClick(window.findChild<QPushButton*>("Command3"), Qt::LeftButton);
  EXPECT_EQ(seenTitle, "About Gulpwell! v1.3");
  EXPECT_TRUE(wasModal);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_EQ(window.findChild<gulpwell::AboutBox*>(), nullptr);
}

}  // namespace
