#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

#include "common/dat/DatFormat.h"
#include "common/platform/MemorySource.h"
#include "engine/archive/DATFunctions.h"
#include "engine/archive/EntrySearch.h"
#include "engine/archive/NamePatterns.h"
#include "tests/support/DatWriter.h"

namespace {

using testsupport::DatWriter;

// The folders of an archive as the scan files them.
std::shared_ptr<const engine::ColTrees> foldersOf(const DatWriter& writer) {
  const platform::MemorySource source(writer.build());
  engine::ClsDatFile archive;
  archive.SetFixedInfo(dat::GetFixedDATInfo(source));
  engine::DirTreeReader reader(source, archive);
  while (reader.RecordsRead() < archive.FilesTotal) reader.ReadNext();
  return archive.SharedColTrees();
}

QList<QByteArray> namesOf(const std::optional<engine::SearchResults>& results) {
  QList<QByteArray> names;
  for (const engine::ClsTreeDir* entry : results.value().Entries) names << entry->Filename;
  return names;
}

// A name read in two pieces, split anywhere, is matched as the whole name:
// the search reads each folder once and its entries' names after it.
TEST(EngineEntrySearch, APatternReadInPiecesMatchesAsTheWholeName) {
  const QStringList globs = {"art/*.frm", "*\\set?\\*", "[a-c]*/", "*r*r*r*", "text", "?"};
  const QList<QByteArray> names = {"ART\\CRITTERS\\RUNNER.FRM",
                                   "art\\SET1\\X.MSG",
                                   "B\\C",
                                   "\\LEAD.TXT",
                                   "RRR",
                                   "TEXT\\ENGLISH\\A.MSG",
                                   "TEXTS",
                                   "X"};
  for (const QString& glob : globs) {
    const engine::NamePatterns patterns({glob});
    for (const QByteArray& name : names)
      for (qsizetype split = 0; split <= name.size(); ++split)
        EXPECT_EQ(patterns.Read(name.first(split)).Matches(name.sliced(split)), patterns.Matches(name))
            << glob.toStdString() << " " << name.toStdString() << " at " << split;
  }
}

// Past 64 steps a place lies in the next word; a "*" on the last bit of the
// first word reaches the first of the second.
TEST(EngineEntrySearch, PatternsLongerThanAWordMatchAcrossTheWordBoundary) {
  const QString star = QString(63, 'a') + "*" + QString(40, 'b');
  const engine::NamePatterns patterns({star});
  EXPECT_TRUE(patterns.Matches(QByteArray(63, 'A') + QByteArray(40, 'b')));
  EXPECT_TRUE(patterns.Matches(QByteArray(63, 'a') + "xyz" + QByteArray(40, 'B')));
  EXPECT_FALSE(patterns.Matches(QByteArray(63, 'a') + QByteArray(39, 'b')));
  EXPECT_FALSE(patterns.Matches(QByteArray(62, 'a') + "x" + QByteArray(40, 'b')));
  const engine::NamePatterns exact({QString(130, 'q') + "?"});
  EXPECT_TRUE(exact.Matches(QByteArray(130, 'Q') + "z"));
  EXPECT_FALSE(exact.Matches(QByteArray(130, 'Q')));
}

// Folder by folder in the order the scan met them; a folder spelled in
// another letter case is the same folder, and its entries are read by their
// own spelling.
TEST(EngineEntrySearch, FindsTheMatchingEntriesFolderByFolder) {
  DatWriter writer;
  writer.add("ART\\CRITTERS\\RUNNER1.FRM", "1").add("TEXT\\A.MSG", "2").add("Art\\critters\\RUNNER2.FRM", "3");
  writer.add("ART\\CRITTERS\\DEEP\\RUNNER3.FRM", "4").add("RUNNER4.FRM", "5");
  const auto folders = foldersOf(writer);
  EXPECT_EQ(namesOf(engine::FindEntries(folders, "art/critters/*runner*")),
            (QList<QByteArray>{"ART\\CRITTERS\\RUNNER1.FRM", "Art\\critters\\RUNNER2.FRM",
                               "ART\\CRITTERS\\DEEP\\RUNNER3.FRM"}));
  EXPECT_EQ(namesOf(engine::FindEntries(folders, "*.frm")).size(), 4);
  // Nothing asked, nothing found.
  EXPECT_TRUE(namesOf(engine::FindEntries(folders, "")).isEmpty());
}

TEST(EngineEntrySearch, AStoppedSearchGivesNoResults) {
  DatWriter writer;
  for (int n = 0; n < 10000; ++n) writer.add("F\\" + QByteArray::number(n), "");
  const auto folders = foldersOf(writer);
  int asked = 0;
  EXPECT_FALSE(engine::FindEntries(folders, "*", [&asked] { return ++asked == 2; }));
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(engine::FindEntries(folders, "*", [] { return false; })->Entries.size(), 10000u);
}

// The results of a pattern replaced meanwhile never come after the newest.
TEST(EngineEntrySearch, TheNewestPatternsResultsAreTheLastReported) {
  DatWriter writer;
  for (int n = 0; n < 20000; ++n) writer.add("F\\" + QByteArray::number(n), "");
  std::mutex mutex;
  std::condition_variable reported;
  QStringList patterns;
  std::size_t lastFound = 0;
  engine::EntrySearch search(foldersOf(writer), [&](engine::SearchResults results) {
    const std::lock_guard lock(mutex);
    patterns << results.Pattern;
    lastFound = results.Entries.size();
    reported.notify_one();
  });
  for (const char* pattern : {"f", "f/", "f/1", "f/1*"}) search.Search(pattern);
  std::unique_lock lock(mutex);
  ASSERT_TRUE(reported.wait_for(lock, std::chrono::seconds(20), [&] { return patterns.contains("f/1*"); }));
  EXPECT_EQ(patterns.last(), "f/1*");
  EXPECT_EQ(lastFound, 11111u);
}

}  // namespace
