#include "tests/tallyhold/ExtractDialogsFixture.h"

#include <QFileInfo>
#include <QTest>

#include "common/widgets/DirListBox.h"
#include "tallyhold/archive/Globals.h"

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

void ExtractDialogsFixture::runInto(DestinationChooser& dialog, QPushButton* command1, const QString& folder) {
  ASSERT_TRUE(dialog.Dir1->SetPath(folder));
  QTest::mouseClick(command1, Qt::LeftButton);
  flushDeletes();
}

QString ExtractDialogsFixture::runIntoVanishedFolder(DestinationChooser& dialog, QPushButton* command1) {
  const QString gone = folder("gone");
  EXPECT_TRUE(dialog.Dir1->SetPath(gone));
  EXPECT_TRUE(QDir(gone).removeRecursively());
  QTest::mouseClick(command1, Qt::LeftButton);
  flushDeletes();
  EXPECT_FALSE(QFileInfo::exists(gone));
  expectWindowsRestored();
  return gone;
}

void ExtractDialogsFixture::expectWindowsRestored() {
  EXPECT_TRUE(frame().isEnabled());
  EXPECT_EQ(shownDialog<DestinationChooser>(), nullptr);
  EXPECT_EQ(shownProgressForm(), nullptr);
  EXPECT_FALSE(StopRequested);
  for (QWidget* widget : QApplication::topLevelWidgets())
    EXPECT_EQ(qobject_cast<DestinationChooser*>(widget), nullptr) << "a dialog was not unloaded";
}

}  // namespace tallyhold::testing
