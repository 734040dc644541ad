#include <gtest/gtest.h>

#include <QMap>

#include "engine/extract/ExtractionRun.h"
#include "tests/engine/ExtractFixture.h"

using namespace testsupport;

namespace {

class SkipRecorder : public engine::RunObserver {
 public:
  void EntryDone(const engine::ClsTreeDir& entry, const engine::ExtractResult& result) override {
    if (result.outcome == engine::ExtractOutcome::Skipped) reasons[entry.Filename] = result.reason;
  }
  QMap<QByteArray, QString> reasons;
};

FixtureEntry broken(const QByteArray& name, bool compressed, const std::function<void(FixtureEntry&)>& change) {
  FixtureEntry entry{name, SampleText(20'000, 4), compressed};
  change(entry);
  return entry;
}

// What test runs: every entry checked as extraction checks it, on two workers,
// nothing written.
TEST(ToolsTest, FindsEachKindOfDamageAndOnlyThat) {
  const QByteArray stream = ZlibCompress(SampleText(20'000, 4));
  QByteArray badChecksum = stream;
  badChecksum[stream.size() - 1] = static_cast<char>(badChecksum[stream.size() - 1] ^ 1);
  DatWriter writer;
  writer.add("GOOD\\STORED.TXT", "stored", false).add("GOOD\\PACKED.TXT", SampleText(30'000, 5), true);
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
  SkipRecorder recorder;
  engine::ExtractionRun run(archive.source, recorder, [] { return false; }, 2);
  run.Extract(archive.all(), engine::ExtractionRun::OnStop::KeepFiles);

  EXPECT_EQ(run.Report().extracted, 3);
  EXPECT_EQ(recorder.reasons.keys(),
            (QList<QByteArray>{"BAD\\..\\UNSAFE", "BAD\\CHECKSUM", "BAD\\CUT", "BAD\\LONGER", "BAD\\NEGATIVE",
                               "BAD\\OUTSIDE", "BAD\\SHORTER", "BAD\\SIZES"}));
  EXPECT_TRUE(recorder.reasons["BAD\\CHECKSUM"].contains("damaged"));
  EXPECT_TRUE(recorder.reasons["BAD\\CUT"].contains("end before the stream is complete"));
  EXPECT_TRUE(recorder.reasons["BAD\\LONGER"].contains("more than 19999 bytes"));
  EXPECT_TRUE(recorder.reasons["BAD\\OUTSIDE"].contains("outside the archive"));
  EXPECT_EQ(archive.destContents(), QStringList{});
}

}  // namespace
