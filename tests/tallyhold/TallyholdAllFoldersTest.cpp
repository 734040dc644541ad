// View > All folders: every folder of every open archive in its tree.
#include <QTreeWidget>
#include <algorithm>

#include "engine/archive/ClsDatFile.h"
#include "tallyhold/windows/DAT_Container.h"
#include "tests/tallyhold/TallyholdWindowsFixture.h"

namespace tallyhold::testing {
namespace {

using testsupport::DatWriter;

bool hasNode(const DAT_Container& window, const QString& key) {
  const std::vector<engine::TreeNode> nodes = nodesOf(window);
  return std::any_of(nodes.begin(), nodes.end(), [&](const engine::TreeNode& node) { return node.Key == key; });
}

QString selectedKey(const DAT_Container& window) {
  const QList<QTreeWidgetItem*> selected = treeOf(window).selectedItems();
  return selected.size() == 1 ? selected.first()->data(0, Qt::UserRole).toString() : QString();
}

using TallyholdAllFoldersTest = WindowsFixture;

TEST_F(TallyholdAllFoldersTest, TogglingShowsAndHidesADeepFolderAndKeepsTheCurrentOne) {
  DAT_Container* first = openViaMenu(
      write(DatWriter().add("TOP", "t").add("A\\1", "1").add("DEEP\\B\\C\\D\\E\\x.txt", "x")));
  DAT_Container* second = openViaMenu(write(DatWriter().add("Modding Notes\\n.txt", "n"), "second.dat"));
  ASSERT_TRUE(first && second);
  const QString deep = "DEEP\\B\\C\\D\\E\\";
  ASSERT_FALSE(hasNode(*first, deep));
  clickNode(*first, "Mother0");  // A

  QAction* allFolders = action("mnuAllFolders");
  ASSERT_TRUE(allFolders && allFolders->isCheckable() && !allFolders->isChecked());
  allFolders->trigger();
  EXPECT_TRUE(hasNode(*second, "Modding Notes\\"));
  ASSERT_TRUE(hasNode(*first, deep));
  EXPECT_EQ(selectedKey(*first), "A\\");
  EXPECT_EQ(rowsOf(*first).value(0).value(0), "1");

  clickNode(*first, deep);
  EXPECT_EQ(rowsOf(*first).value(0).value(0), "x.txt");
  // The folder Extract selected looks up in the archive.
  const QByteArray key = first->SelectedFolderKey();
  EXPECT_EQ(key, deep.toLatin1());
  EXPECT_NE(state().DATFiles.Item(first->ArchiveNumber())->ColTrees().Find(QString::fromLatin1(key)), nullptr);

  allFolders->trigger();
  EXPECT_FALSE(hasNode(*first, deep));
  EXPECT_FALSE(hasNode(*second, "Modding Notes\\"));
  EXPECT_EQ(selectedKey(*first), "root");
  EXPECT_EQ(rowsOf(*first).value(0).value(0), "TOP");
}

TEST_F(TallyholdAllFoldersTest, AnArchiveOpenedWhileItIsOnShowsEveryFolder) {
  action("mnuAllFolders")->trigger();
  DAT_Container* window = openViaMenu(write(DatWriter().add("Long Folder Name\\a\\b\\c\\x", "x")));
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(hasNode(*window, "Long Folder Name\\a\\b\\c\\"));
  EXPECT_EQ(selectedKey(*window), "root");
}

// 1,700 names of 125 nested folders each: 212,500 folders from a 430 KB directory.
TEST_F(TallyholdAllFoldersTest, AnArchiveWithTooManyFoldersKeepsTheScansTreeAndSaysSo) {
  DatWriter writer;
  for (int i = 0; i < 1700; ++i) {
    QByteArray name = QByteArray::number(i).rightJustified(4, '0') + '\\';
    while (name.size() < 252) name += "a\\";
    writer.add(name + "x", "x");
  }
  const QString path = write(writer);
  DAT_Container* window = openViaMenu(path);
  ASSERT_NE(window, nullptr);
  const std::vector<engine::TreeNode> scanTree = nodesOf(*window);
  dialogs.clear();
  action("mnuAllFolders")->trigger();
  EXPECT_EQ(nodesOf(*window), scanTree);
  ASSERT_EQ(dialogs.shown().size(), 1);
  testsupport::ExpectBox(dialogs.shown()[0],
                         path + " has more than 200000 folders, too many to show them all; its tree keeps the "
                                "first three levels.",
                         "Tallyhold", platform::MsgIcon::Exclamation, platform::MsgButtons::Ok);
}

}  // namespace
}  // namespace tallyhold::testing
