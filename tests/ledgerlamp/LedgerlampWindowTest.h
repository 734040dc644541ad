#pragma once
// Drives the real reader window offscreen: scripted dialogs, recorded ending and
// shell calls, and the archives it loads written into a temporary folder.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QTest>

#include "common/platform/FileNumbers.h"
#include "ledgerlamp/Main.h"
#include "tests/ledgerlamp/LedgerlampFixtures.h"
#include "tests/support/PlatformRecorders.h"
#include "tests/support/ScriptedDialogs.h"

namespace ledgerlamptest {

class LedgerlampWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { window.show(); }
  void TearDown() override { platform::CloseAll(); }

  template <class Widget>
  Widget* child(const char* name) {
    auto* widget = window.findChild<Widget*>(QLatin1String(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  QString text(const char* box) { return child<QLineEdit>(box)->text(); }
  // What the status label says about the position: first or last record reached.
  QString position() { return child<QLabel>("Label11")->text(); }
  void click(const char* name) { QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton); }

  // Which of First, Previous, Next, Last, Jump and Unload are enabled: "FPNLJU", "-" for off.
  std::string commands() {
    std::string word;
    const char* names[] = {"cmdFirst", "cmdPrev", "cmdNext", "cmdLast", "cmdJump", "cmdUnloadDat"};
    for (const char* name : names) word += child<QPushButton>(name)->isEnabled() ? name[3] : '-';
    return word;
  }

  // Chooses the file in the open dialog, as the user would.
  QString open(const QString& name, const QByteArray& bytes) {
    const QString path = Written(dir, name, bytes);
    dialogs.answerOpenFile(path);
    click("cmdOpenDat");
    return path;
  }

  // The number of the one file open, 0 when none is.
  static int openFileNumber() {
    for (int n = 1; n <= platform::MaxFileNumber; ++n)
      if (platform::IsOpen(n)) return n;
    return 0;
  }

  // The record shown: its number and name.
  void expectRecord(int number, const QByteArray& name) {
    EXPECT_EQ(text("txtIndex"), QString::number(number));
    EXPECT_EQ(text("txtFilename"), QString::fromLatin1(name));
    EXPECT_EQ(text("txtFilenameSize"), QString::number(name.size()));
  }

  testsupport::ScriptedDialogs dialogs;
  testsupport::EndProgramRecorder ending;
  testsupport::ShellOpenRecorder shell;
  QTemporaryDir dir;
  ledgerlamp::Main window;
};

}  // namespace ledgerlamptest
