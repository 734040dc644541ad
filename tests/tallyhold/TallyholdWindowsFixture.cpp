#include "tests/tallyhold/TallyholdWindowsFixture.h"

#include <QApplication>
#include <QTest>

#include "common/platform/FileNumbers.h"
#include "tallyhold/archive/Globals.h"
#include "tallyhold/windows/DAT_Container.h"
#include "tallyhold/windows/DAT_Info.h"
#include "tallyhold/windows/Main.h"

namespace tallyhold::testing {

void WindowsFixture::SetUp() {
  frame_ = Main();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(frame_.get()));
}

void WindowsFixture::TearDown() {
  frame_.reset();
  flushDeletes();
  platform::CloseAll();
}

DAT_Info* WindowsFixture::info() const { return frame_->findChild<DAT_Info*>("DAT_Info"); }

QAction* WindowsFixture::action(const char* name) const {
  return frame_->findChild<QAction*>(QLatin1String(name));
}

QString WindowsFixture::write(const testsupport::DatWriter& writer, const QString& name) {
  return writeBytes(writer.build(), name);
}

QString WindowsFixture::writeBytes(const QByteArray& bytes, const QString& name) {
  const QString path = dir.filePath(name);
  EXPECT_TRUE(testsupport::WriteFile(path, bytes));
  return path;
}

DAT_Container* WindowsFixture::openViaMenu(const QString& path) {
  dialogs.answerOpenFile(path);
  action("mnuOpenDAT")->trigger();
  return WindowInSlot(LastWindowIndex);
}

void WindowsFixture::flushDeletes() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace tallyhold::testing
