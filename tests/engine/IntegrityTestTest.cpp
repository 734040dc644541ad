#include <gtest/gtest.h>

#include <QMap>

#include "engine/extract/IntegrityTest.h"
#include "tests/engine/ExtractFixture.h"

using namespace testsupport;

namespace {

FixtureEntry broken(const QByteArray& name, bool compressed, const std::function<void(FixtureEntry&)>& change) {
  FixtureEntry entry{name, SampleText(20'000, 4), compressed};
  change(entry);
  return entry;
}

// On two workers, as the toolkit runs it.
TEST(EngineIntegrityTest, FindsEachKindOfDamageAndOnlyThatAndWritesNothing) {
  const QByteArray stream = ZlibCompress(SampleText(20'000, 4));
  QByteArray badChecksum = stream;
  badChecksum[stream.size() - 1] = static_cast<char>(badChecksum[stream.size() - 1] ^ 1);
  DatWriter writer;
  writer.add("GOOD\\STORED.TXT", "stored", false).add("GOOD\\PACKED.TXT", SampleText(30'000, 5), true);
  writer.add(broken("GOOD\\TRAILING", true, [&](FixtureEntry& e) { e.body = stream + "12345"; }));
  writer.add(broken("GOOD\\SHORTER", false, [](FixtureEntry& e) { e.realSize = 5; }));
  writer.add(broken("BAD\\OUTSIDE", false, [](FixtureEntry& e) { e.offset = 1 << 30; }))
      .add(broken("BAD\\SIZES", false, [](FixtureEntry& e) { e.realSize = 20'001; }))
      .add(broken("BAD\\CHECKSUM", true, [&](FixtureEntry& e) { e.body = badChecksum; }))
      .add(broken("BAD\\CUT", true, [&](FixtureEntry& e) { e.body = stream.left(stream.size() / 2); }))
      .add(broken("BAD\\LONGER", true, [](FixtureEntry& e) { e.realSize = 19'999; }))
      .add(broken("BAD\\SHORTER", true, [](FixtureEntry& e) { e.realSize = 20'001; }))
      .add(broken("BAD\\NEGATIVE", true, [](FixtureEntry& e) { e.realSize = -1; }))
      .add(broken("BAD\\..\\UNSAFE", false, [](FixtureEntry&) {}));
  const OpenArchive archive(writer);
  engine::RunObserver quiet;
  const engine::IntegrityReport report = engine::TestIntegrity(
      archive.source, archive.all(), quiet, [] { return false; }, 2);

  EXPECT_EQ(report.entries, 12);
  EXPECT_EQ(report.intact, 4);
  EXPECT_FALSE(report.stopped);
  QMap<QByteArray, QString> reasons;
  for (const engine::IntegrityFinding& damaged : report.damaged) reasons[damaged.name] = damaged.text;
  EXPECT_EQ(reasons.keys(), (QList<QByteArray>{"BAD\\..\\UNSAFE", "BAD\\CHECKSUM", "BAD\\CUT", "BAD\\LONGER",
                                               "BAD\\NEGATIVE", "BAD\\OUTSIDE", "BAD\\SHORTER", "BAD\\SIZES"}));
  EXPECT_TRUE(reasons["BAD\\CHECKSUM"].contains("damaged"));
  EXPECT_TRUE(reasons["BAD\\CUT"].contains("end before the stream is complete"));
  EXPECT_TRUE(reasons["BAD\\LONGER"].contains("more than 19999 bytes"));
  EXPECT_TRUE(reasons["BAD\\OUTSIDE"].contains("outside the archive"));
  ASSERT_EQ(report.notes.size(), 1U);
  EXPECT_EQ(report.notes[0].name, "GOOD\\TRAILING");
  EXPECT_EQ(report.notes[0].text, "5 bytes after the end of its zlib stream");
  EXPECT_EQ(archive.destContents(), QStringList{});
}

TEST(EngineIntegrityTest, AStopBeforeTheFirstEntryChecksNothing) {
  const OpenArchive archive(DatWriter().add("A.TXT", "a").add("B.TXT", "b"));
  engine::RunObserver quiet;
  const engine::IntegrityReport report = engine::TestIntegrity(
      archive.source, archive.all(), quiet, [] { return true; }, 1);
  EXPECT_TRUE(report.stopped);
  EXPECT_EQ(report.Checked(), 0);
}

}  // namespace
