#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "common/widgets/DirListBox.h"
#include "tests/support/DatWriter.h"
#include "tests/widgets/ListGestures.h"
#include "tests/widgets/QtPrinters.h"

namespace {

using testsupport::DoubleClickLine;
using testsupport::LineNamed;
using testsupport::LineTexts;
using widgets::DirListBox;
using widgets::FolderFailure;

class WidgetsDirListBox : public testsupport::ListFixture<DirListBox> {
 protected:
  void SetUp() override {
    for (const char* name : {"b", "A", ".hidden", "A/deep"}) ASSERT_TRUE(QDir(root).mkpath(name));
    ASSERT_TRUE(testsupport::WriteFile(root + "/file.txt", "not a folder"));
    showList();
  }
};

TEST_F(WidgetsDirListBox, ShowsAncestorsThenTheFolderThenItsSubfoldersAndSignalsRealMoves) {
  QSignalSpy moved(&list, &DirListBox::PathChanged);
  ASSERT_TRUE(list.SetPath(root + "/A/../"));
  EXPECT_EQ(list.Path(), root);
  ASSERT_EQ(moved.count(), 1);
  EXPECT_EQ(moved.first().first().toString(), root);

  QStringList expected{"/"};
  expected << root.split('/', Qt::SkipEmptyParts) << ".hidden"
           << "A"
           << "b";
  EXPECT_EQ(LineTexts(&list), expected);
  EXPECT_EQ(list.currentItem()->text(), QDir(root).dirName());

  EXPECT_TRUE(list.SetPath(root));  // the same folder: listed again, no move
  EXPECT_EQ(moved.count(), 1);
}

TEST_F(WidgetsDirListBox, DoubleClickAndEnterMoveDownAndUp) {
  ASSERT_TRUE(list.SetPath(root));
  QSignalSpy moved(&list, &DirListBox::PathChanged);

  DoubleClickLine(&list, LineNamed(&list, "A"));
  EXPECT_EQ(list.Path(), root + "/A");
  EXPECT_EQ(LineTexts(&list).last(), "deep");

  list.setCurrentItem(LineNamed(&list, "deep"));
  QTest::keyClick(&list, Qt::Key_Return);
  EXPECT_EQ(list.Path(), root + "/A/deep");

  list.setCurrentItem(LineNamed(&list, QDir(root).dirName()));
  QTest::keyClick(&list, Qt::Key_Enter);
  EXPECT_EQ(list.Path(), root);

  list.setCurrentItem(list.item(0));
  QTest::keyClick(&list, Qt::Key_Return);
  EXPECT_EQ(list.Path(), "/");
  EXPECT_EQ(list.item(0)->text(), "/");
  EXPECT_EQ(moved.count(), 4);
}

TEST_F(WidgetsDirListBox, RefusesWhatCannotBeListedAndChangesNothing) {
  ASSERT_TRUE(list.SetPath(root));
  const QStringList before = LineTexts(&list);
  QSignalSpy moved(&list, &DirListBox::PathChanged);

  EXPECT_FALSE(list.SetPath(root + "/missing"));
  EXPECT_EQ(list.LastFailure(), FolderFailure::NotFound);
  EXPECT_FALSE(list.SetPath(root + "/file.txt"));
  EXPECT_EQ(list.LastFailure(), FolderFailure::NotFound);
  EXPECT_FALSE(list.SetPath(QString()));

  EXPECT_EQ(list.Path(), root);
  EXPECT_EQ(LineTexts(&list), before);
  EXPECT_EQ(moved.count(), 0);

  EXPECT_TRUE(list.SetPath(root + "/b"));
  EXPECT_EQ(list.LastFailure(), FolderFailure::None);
}

TEST_F(WidgetsDirListBox, RefusesAFolderThatMayNotBeRead) {
  if (geteuid() == 0) GTEST_SKIP() << "root may read every folder";
  const QString locked = root + "/b";
  ASSERT_TRUE(QFile::setPermissions(locked, QFile::WriteOwner));
  EXPECT_FALSE(list.SetPath(locked));
  EXPECT_EQ(list.LastFailure(), FolderFailure::AccessDenied);
  QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(WidgetsDirListBox, RefreshShowsNewFoldersAndLeavesAVanishedFolderForItsParent) {
  ASSERT_TRUE(list.SetPath(root + "/A/deep"));
  ASSERT_TRUE(QDir(root + "/A/deep").mkdir("new"));
  list.Refresh();
  EXPECT_EQ(LineTexts(&list).last(), "new");

  QSignalSpy moved(&list, &DirListBox::PathChanged);
  ASSERT_TRUE(QDir(root + "/A").removeRecursively());
  list.Refresh();
  EXPECT_EQ(list.Path(), root);
  ASSERT_EQ(moved.count(), 1);
  EXPECT_FALSE(LineTexts(&list).contains("A"));
}

TEST_F(WidgetsDirListBox, OpeningALineWhoseFolderHasGoneReportsItAndRelists) {
  ASSERT_TRUE(list.SetPath(root));
  QSignalSpy refused(&list, &DirListBox::OpenFailed);
  ASSERT_TRUE(QDir(root + "/b").removeRecursively());

  DoubleClickLine(&list, LineNamed(&list, "b"));

  EXPECT_EQ(list.Path(), root);
  ASSERT_EQ(refused.count(), 1);
  EXPECT_EQ(refused.first().at(0).toString(), root + "/b");
  EXPECT_EQ(refused.first().at(1).value<FolderFailure>(), FolderFailure::NotFound);
  EXPECT_EQ(LineNamed(&list, "b"), nullptr);
}

}  // namespace
