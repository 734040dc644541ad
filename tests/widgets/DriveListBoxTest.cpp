#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QTest>

#include "common/widgets/DriveListBox.h"
#include "tests/widgets/QtPrinters.h"

namespace {

using widgets::DriveListBox;

QStringList Drives(const DriveListBox& box) {
  QStringList roots;
  for (int row = 0; row < box.count(); ++row) roots << box.itemData(row).toString();
  return roots;
}

TEST(WidgetsDriveListBox, ListsTheMountedVolumesByTheirRoots) {
  DriveListBox box;
  QStringList roots = Drives(box);
  EXPECT_TRUE(roots.contains("/"));
  EXPECT_EQ(roots.removeDuplicates(), 0);
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    if (volume.isValid() && volume.isReady()) {
      EXPECT_TRUE(roots.contains(volume.rootPath())) << volume.rootPath().toStdString();
    }
  }
  EXPECT_EQ(box.Drive(), box.currentData().toString());
}

TEST(WidgetsDriveListBox, SetDriveFollowsAPathQuietlyAndRefusesWhatNoVolumeHolds) {
  QTemporaryDir dir;
  // The volume that holds the folder, or the root of the file system where
  // the mount table shows none (a chroot).
  const QStorageInfo volume(dir.path());
  const QString drive = volume.isValid() ? volume.rootPath() : QStringLiteral("/");
  DriveListBox box;
  QSignalSpy changed(&box, &DriveListBox::DriveChanged);

  ASSERT_TRUE(box.SetDrive(dir.path()));
  EXPECT_EQ(box.Drive(), drive);
  EXPECT_EQ(box.currentData().toString(), drive);
  EXPECT_EQ(DriveListBox::DriveOf(dir.path()), drive);

  EXPECT_FALSE(box.SetDrive(dir.path() + "/missing/deeper"));
  EXPECT_TRUE(DriveListBox::DriveOf(dir.path() + "/missing/deeper").isEmpty());
  EXPECT_EQ(box.Drive(), drive);

  box.Refresh();
  EXPECT_EQ(box.Drive(), drive);
  EXPECT_EQ(changed.count(), 0);
}

TEST(WidgetsDriveListBox, ChoosingAnotherDriveSignalsItOnce) {
  DriveListBox box;
  if (box.count() < 2) GTEST_SKIP() << "only one mounted volume here";
  box.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
  ASSERT_TRUE(box.SetDrive(box.itemData(0).toString()));
  QSignalSpy changed(&box, &DriveListBox::DriveChanged);

  QTest::keyClick(&box, Qt::Key_Up);  // already the first: nothing changes
  EXPECT_EQ(changed.count(), 0);

  QTest::keyClick(&box, Qt::Key_Down);
  ASSERT_EQ(changed.count(), 1);
  EXPECT_EQ(changed.first().first().toString(), box.itemData(1).toString());
  EXPECT_EQ(box.Drive(), box.itemData(1).toString());
}

}  // namespace
