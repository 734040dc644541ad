// Tallyhold's Find and skarrow2-dat's list pick entries with one matcher:
// for the same pattern the search finds exactly the entries list prints.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "common/dat/DatFormat.h"
#include "common/platform/FileSource.h"
#include "engine/archive/DATFunctions.h"
#include "engine/archive/EntrySearch.h"
#include "tests/support/DatWriter.h"
#include "tests/tools/ToolFixture.h"

namespace {

using testsupport::DatWriter;

QStringList sorted(QStringList names) {
  names.sort();
  return names;
}

// Deep and long folders, letter case, both separators and a set in the names.
DatWriter mixedWriter() {
  DatWriter writer;
  for (const char* name : {"TOP.TXT", "ART\\CRITTERS\\RUNNER01.FRM", "Art\\critters\\runner02.frm",
                           "ART\\ITEMS\\ARMOR\\HEAVY\\PLATE\\P1.FRM", "Modding Notes\\read me.txt",
                           "Docs\\Long Folder Name With Spaces\\deeper\\x.txt", "TEXT\\ENGLISH\\GAME\\A.MSG",
                           "text\\english\\B.MSG", "ODD/SLASH.TXT", "[X]\\Y.TXT", "CAF\xc9.TXT"})
    writer.add(name, "x");
  return writer;
}

class FindAgreesWithListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path = folder.path("mixed.dat");
    ASSERT_TRUE(mixedWriter().writeTo(path));
    const auto source = platform::FileSource::Open(path);
    ASSERT_TRUE(source);
    archive.SetFixedInfo(dat::GetFixedDATInfo(*source));
    engine::DirTreeReader reader(*source, archive);
    while (reader.RecordsRead() < archive.FilesTotal) reader.ReadNext();
  }

  // What skarrow2-dat list prints for the pattern, exact names from its JSON.
  QStringList listed(const QString& pattern) const {
    const testsupport::Ran ran = testsupport::RunTool({"list", "--json", path, pattern});
    QStringList names;
    for (const QJsonValue& entry : QJsonDocument::fromJson(ran.out)["entries"].toArray())
      names << entry.toObject().value("name").toString();
    return sorted(names);
  }

  QStringList found(const QString& pattern) {
    const std::optional<engine::SearchResults> results = engine::FindEntries(archive.SharedColTrees(), pattern);
    QStringList names;
    for (const engine::ClsTreeDir* entry : results.value().Entries) names << QString::fromLatin1(entry->Filename);
    return sorted(names);
  }

  testsupport::ToolFolder folder;
  QString path;
  engine::ClsDatFile archive;
};

TEST_F(FindAgreesWithListTest, TheSearchFindsWhatListPrintsForEachPattern) {
  const QStringList patterns = {"*",
                                "art",
                                "art/",
                                "ART\\CRITTERS\\*.FRM",
                                "*/*/*/*/*",
                                "modding notes",
                                "*deeper*",
                                "text/english",
                                "*.msg",
                                "odd\\slash.txt",
                                "[[]x]/*",
                                "?op.txt",
                                "caf\u00e9.txt",
                                "*[!a-z].TXT"};
  for (const QString& pattern : patterns) {
    const QStringList expected = listed(pattern);
    EXPECT_FALSE(expected.isEmpty()) << pattern.toStdString();
    EXPECT_EQ(found(pattern), expected) << pattern.toStdString();
  }
  EXPECT_TRUE(found("nothing").isEmpty());
}

}  // namespace
