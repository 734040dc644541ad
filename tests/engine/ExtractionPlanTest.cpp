#include <gtest/gtest.h>

#include <QHash>
#include <QSet>

#include "engine/archive/DATFunctions.h"
#include "engine/archive/NamePatterns.h"
#include "engine/extract/ExtractionPlan.h"

using namespace engine;

namespace {

ColTrees treesOf(const QList<QByteArray>& names) {
  ColTrees trees;
  for (const QByteArray& name : names) {
    auto entry = std::make_shared<ClsTreeDir>();
    entry->Filename = name;
    AddToFolder(trees, entry);
  }
  return trees;
}

QList<QByteArray> namesOf(const std::vector<const ClsTreeDir*>& entries) {
  QList<QByteArray> names;
  for (const ClsTreeDir* entry : entries) names << entry->Filename;
  return names;
}

// The full paths of the tree pane's nodes for the names, in directory order.
QSet<QString> treePaneFolders(const QList<QByteArray>& names) {
  FolderTreeStep step;
  std::vector<TreeNode> nodes;
  for (const QByteArray& name : names) step.Add(name, nodes);
  QHash<QString, QString> paths;
  QSet<QString> folded;
  for (const TreeNode& node : nodes) {
    const QString path = node.ParentKey.isEmpty() ? node.Text : paths[node.ParentKey] + '\\' + node.Text;
    paths[node.Key] = path;
    folded << path.toCaseFolded();
  }
  return folded;
}

const QList<QByteArray> Names{"TEXT\\ENGLISH\\DIALOG\\DEEP\\A.MSG",
                              "README.TXT",
                              "ART\\BACKGROUND\\B.FRM",
                              "Art\\c.frm",
                              "LONGFOLDERNAME\\D.TXT",
                              "TEXT\\E.TXT",
                              "text\\english\\F.MSG"};

TEST(EngineExtractionPlanTest, AllTakesEveryEntryByFolderAndTheTreePanesFolders) {
  const ColTrees trees = treesOf(Names);
  const ExtractionPlan plan = PlanAll(trees);
  EXPECT_EQ(namesOf(plan.entries),
            (QList<QByteArray>{"TEXT\\ENGLISH\\DIALOG\\DEEP\\A.MSG", "README.TXT", "ART\\BACKGROUND\\B.FRM",
                               "Art\\c.frm", "LONGFOLDERNAME\\D.TXT", "TEXT\\E.TXT", "text\\english\\F.MSG"}));
  QSet<QString> folded;
  for (const QByteArray& folder : plan.folders) folded << QString::fromLatin1(folder).toCaseFolded();
  EXPECT_EQ(folded.size(), plan.folders.size());
  EXPECT_EQ(folded, treePaneFolders(Names));
  // Each folder in the spelling the archive uses first.
  EXPECT_EQ(plan.folders, (QList<QByteArray>{"TEXT", "TEXT\\ENGLISH", "TEXT\\ENGLISH\\DIALOG", "ART"}));
}

TEST(EngineExtractionPlanTest, AFolderIsFoundWithoutLetterCaseAndMakesNoFolders) {
  const ColTrees trees = treesOf(Names);
  const std::optional<ExtractionPlan> plan = PlanFolder(trees, "art\\");
  ASSERT_TRUE(plan);
  EXPECT_EQ(namesOf(plan->entries), (QList<QByteArray>{"Art\\c.frm"}));
  EXPECT_TRUE(plan->folders.isEmpty());
  EXPECT_EQ(namesOf(PlanFolder(trees, "\\")->entries), (QList<QByteArray>{"README.TXT"}));
  EXPECT_FALSE(PlanFolder(trees, "TEXT\\ENGLISH\\DIALOG\\"));  // holds only a folder
}

TEST(EngineExtractionPlanTest, NamedEntriesAreTakenOnceInFolderOrder) {
  const ColTrees trees = treesOf({"T\\B.TXT", "T\\A.TXT", "T\\C.TXT", "t\\a.txt"});
  const std::optional<ExtractionPlan> plan = PlanNamed(trees, "T\\", {"A.TXT", "a.txt", "B.TXT", "A.TXT", "X"});
  ASSERT_TRUE(plan);
  EXPECT_EQ(namesOf(plan->entries), (QList<QByteArray>{"T\\B.TXT", "T\\A.TXT", "t\\a.txt"}));
  EXPECT_FALSE(PlanNamed(trees, "U\\", {"B.TXT"}));
}

TEST(EngineExtractionPlanTest, PatternsTakeTheMatchingEntriesAndTheirWholeFolders) {
  const ColTrees trees = treesOf(Names);
  const ExtractionPlan plan = PlanMatching(trees, NamePatterns({"*.msg", "readme.txt"}));
  EXPECT_EQ(namesOf(plan.entries),
            (QList<QByteArray>{"TEXT\\ENGLISH\\DIALOG\\DEEP\\A.MSG", "README.TXT", "text\\english\\F.MSG"}));
  EXPECT_EQ(plan.folders, (QList<QByteArray>{"TEXT\\ENGLISH\\DIALOG\\DEEP", "text\\english"}));
  EXPECT_EQ(PlanMatching(trees, NamePatterns({})).entries.size(), Names.size());
}

TEST(EngineExtractionPlanTest, AnEntryIsFoundByItsExactNameBeforeOneInOtherLetterCase) {
  const QList<QByteArray> names{"T\\A.TXT", "t\\a.txt", "T\\a.TXT", "T\\B.TXT"};
  const ColTrees trees = treesOf(names);
  // The model and the records one by one find the same.
  const auto found = [&](const QByteArray& name) {
    EntryByName byRecords(name);
    for (const QByteArray& record : names) byRecords.Consider(ClsTreeDir{.Filename = record});
    const ClsTreeDir* inModel = FindEntry(trees, name);
    const QByteArray picked = inModel ? inModel->Filename : QByteArray();
    EXPECT_EQ(picked, byRecords.Found() ? byRecords.Found()->Filename : QByteArray());
    return picked;
  };
  EXPECT_EQ(found("T\\A.TXT"), "T\\A.TXT");
  EXPECT_EQ(found("t\\A.txt"), "T\\a.TXT");  // the last caseless one
  EXPECT_EQ(found("T\\C.TXT"), "");
  EXPECT_EQ(found("U\\A.TXT"), "");
}

}  // namespace
