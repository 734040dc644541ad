#include <gtest/gtest.h>

#include <QSet>

#include "engine/archive/AllFolderNodes.h"
#include "engine/archive/CommonFunctions.h"
#include "engine/archive/DATFunctions.h"

using namespace engine;

namespace {

ColTrees filed(const QList<QByteArray>& names) {
  ColTrees trees;
  for (const QByteArray& name : names) {
    auto entry = std::make_shared<ClsTreeDir>();
    entry->Filename = name;
    AddToFolder(trees, std::move(entry));
  }
  return trees;
}

// Every folder an entry lies in, and every folder above it, without letter case.
QSet<QString> foldersWithoutCase(const QList<QByteArray>& names) {
  QSet<QString> folders;
  for (const QByteArray& name : names)
    for (qsizetype end = name.indexOf('\\'); end >= 0; end = name.indexOf('\\', end + 1))
      folders << FoldedName(name.first(end + 1));
  return folders;
}

TEST(EngineAllFolderNodesTest, OneNodePerFolderAtEveryDepthAndNameLength) {
  const QList<QByteArray> names = {
      "README.TXT",
      "Modding Notes\\intro.txt",
      "ART\\ITEMS\\ARMOR\\HEAVY\\PLATE\\plate.frm",
      "Docs\\Long Folder Name With Spaces\\deeper\\a.txt",
      "art\\items\\armor\\light\\b.frm",
      "MODDING NOTES\\Sub\\c.txt",
      "docs\\x.txt",
      QByteArray("ART\\") + QByteArray(200, 'L') + "\\d.frm",
  };
  const std::vector<TreeNode> nodes = AllFolderNodes(filed(names)).value();

  QSet<QString> keys;
  QSet<QString> seen;
  for (const TreeNode& node : nodes) {
    keys << FoldedName(node.Key.toLatin1());
    // Parents come first, and a key is the parent's key, the text and "\".
    EXPECT_TRUE(node.ParentKey.isEmpty() || seen.contains(node.ParentKey)) << node.Key.toStdString();
    EXPECT_EQ(node.Key, node.ParentKey + node.Text + "\\");
    seen << node.Key;
  }
  EXPECT_EQ(nodes.size(), static_cast<std::size_t>(keys.size()));
  EXPECT_EQ(keys, foldersWithoutCase(names));
}

TEST(EngineAllFolderNodesTest, EachLevelTakesItsFirstSpelling) {
  const std::vector<TreeNode> nodes =
      AllFolderNodes(filed({"Art\\Sub\\a", "ART\\x", "ART\\SUB\\Deeper\\b", "art\\Other\\c"})).value();
  EXPECT_EQ(nodes, (std::vector<TreeNode>{{"Art\\", "Art", ""},
                                          {"Art\\Sub\\", "Sub", "Art\\"},
                                          {"Art\\Sub\\Deeper\\", "Deeper", "Art\\Sub\\"},
                                          {"Art\\Other\\", "Other", "Art\\"}}));
}

TEST(EngineAllFolderNodesTest, MoreFoldersThanTheLimitGiveNoNodes) {
  const ColTrees trees = filed({"A\\B\\C\\x", "A\\D\\y"});
  EXPECT_EQ(AllFolderNodes(trees, 4).value().size(), 4u);
  EXPECT_FALSE(AllFolderNodes(trees, 3).has_value());
}

}  // namespace
