#include "tests/tallyhold/ExtractDialogsFixture.h"

#include <QFileInfo>
#include <QTest>


namespace tallyhold::testing {

void ExtractDialogsFixture::TearDown() {
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (qobject_cast<DestinationChooser*>(widget)) delete widget;
  WindowsFixture::TearDown();
}

QString ExtractDialogsFixture::folder(const QString& name) {
  EXPECT_TRUE(QDir(dir.path()).mkpath(name));
  return dir.filePath(name);
}

widgets::DirListBox& ExtractDialogsFixture::folderList(DestinationChooser& dialog) {
  return child<widgets::DirListBox>(dialog, "Dir1");
}

void ExtractDialogsFixture::click(DestinationChooser& dialog, const char* button) {
  QTest::mouseClick(&child<QPushButton>(dialog, button), Qt::LeftButton);
}

void ExtractDialogsFixture::runInto(DestinationChooser& dialog, const QString& folder) {
  ASSERT_TRUE(folderList(dialog).SetPath(folder));
  click(dialog, "Command1");
  flushDeletes();
}

QString ExtractDialogsFixture::runIntoVanishedFolder(DestinationChooser& dialog) {
  const QString gone = folder("gone");
  EXPECT_TRUE(folderList(dialog).SetPath(gone));
  EXPECT_TRUE(QDir(gone).removeRecursively());
  click(dialog, "Command1");
  flushDeletes();
  EXPECT_FALSE(QFileInfo::exists(gone));
  expectWindowsRestored();
  return gone;
}

void ExtractDialogsFixture::expectWindowsRestored() {
  EXPECT_TRUE(frame().isEnabled());
  EXPECT_EQ(shownDialog<DestinationChooser>(), nullptr);
  EXPECT_EQ(shownProgressForm(), nullptr);
  for (QWidget* widget : QApplication::topLevelWidgets())
    EXPECT_EQ(qobject_cast<DestinationChooser*>(widget), nullptr) << "a dialog was not unloaded";
}

}  // namespace tallyhold::testing
