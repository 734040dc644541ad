#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include "common/widgets/FileListBox.h"
#include "tests/support/DatWriter.h"
#include "tests/widgets/ListGestures.h"
#include "tests/widgets/QtPrinters.h"

namespace {

using testsupport::ClickLine;
using testsupport::LineNamed;
using testsupport::LineTexts;
using testsupport::WriteFile;
using widgets::FileListBox;

class WidgetsFileListBox : public testsupport::ListFixture<FileListBox> {
 protected:
  void SetUp() override {
    for (const char* name : {"b.txt", "A.dat", ".profile"}) ASSERT_TRUE(WriteFile(root + '/' + name, "x"));
    ASSERT_TRUE(QDir(root).mkdir("folder"));
    showList();
  }
};

TEST_F(WidgetsFileListBox, ListsEveryFileButNoFolderOrPipeAndReportsTheClickedName) {
  ASSERT_EQ(mkfifo(QFile::encodeName(root + "/pipe").constData(), 0600), 0);
  ASSERT_TRUE(list.SetPath(root + "/folder/.."));
  EXPECT_EQ(list.Path(), root);
  EXPECT_EQ(LineTexts(&list), QStringList({".profile", "A.dat", "b.txt"}));
  EXPECT_EQ(list.FileName(), QString());

  ClickLine(&list, LineNamed(&list, "b.txt"));
  EXPECT_EQ(list.FileName(), "b.txt");

  ASSERT_TRUE(list.SetPath(root + "/folder"));
  EXPECT_EQ(list.count(), 0);
  EXPECT_EQ(list.FileName(), QString());
}

TEST_F(WidgetsFileListBox, RefusesAFolderThatCannotBeListedAndChangesNothing) {
  ASSERT_TRUE(list.SetPath(root));
  ClickLine(&list, LineNamed(&list, "A.dat"));
  EXPECT_FALSE(list.SetPath(root + "/missing"));
  EXPECT_FALSE(list.SetPath(root + "/b.txt"));
  EXPECT_EQ(list.Path(), root);
  EXPECT_EQ(list.FileName(), "A.dat");
  EXPECT_EQ(list.count(), 3);
}

TEST_F(WidgetsFileListBox, RefreshShowsNewFilesAndKeepsTheSelectionWhileItsFileIsThere) {
  ASSERT_TRUE(list.SetPath(root));
  ClickLine(&list, LineNamed(&list, "b.txt"));
  ASSERT_TRUE(WriteFile(root + "/c.bin", "new"));
  EXPECT_EQ(list.count(), 3);

  list.Refresh();
  EXPECT_EQ(LineTexts(&list), QStringList({".profile", "A.dat", "b.txt", "c.bin"}));
  EXPECT_EQ(list.FileName(), "b.txt");

  ASSERT_TRUE(QFile::remove(root + "/b.txt"));
  list.Refresh();
  EXPECT_EQ(list.FileName(), QString());
  EXPECT_EQ(LineNamed(&list, "b.txt"), nullptr);
}

}  // namespace
