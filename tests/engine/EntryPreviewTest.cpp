#include <gtest/gtest.h>

#include "engine/extract/EntryPreview.h"
#include "tests/engine/ExtractFixture.h"
#include "tests/support/DatWriter.h"

using namespace engine;
using namespace testsupport;

namespace {

EntryPreview previewOf(const OpenArchive& archive, std::size_t index, qint64 limit = PreviewLimit) {
  return PreviewEntry(archive.entries[index], *archive.source, limit);
}

TEST(EngineEntryPreview, ADamagedEntryGivesExtractionsReasonAndNoBytes) {
  const QByteArray text = SampleText(40'000, 5);
  FixtureEntry damaged{"DAMAGED.TXT", text, true};
  QByteArray stream = ZlibCompress(text);
  for (qsizetype i = 50; i < 90; ++i) stream[i] = static_cast<char>(stream[i] ^ 0x33);
  damaged.body = stream;
  FixtureEntry shorter{"SHORTER.TXT", text, true};
  shorter.realSize = 41'000;
  FixtureEntry outside{"OUTSIDE.TXT", "abc"};
  outside.offset = 1'000'000;
  const OpenArchive archive(DatWriter().add(damaged).add(shorter).add(outside));

  const EntryPreview first = previewOf(archive, 0);
  EXPECT_TRUE(first.Damage.startsWith("the compressed data are damaged")) << first.Damage.toStdString();
  EXPECT_TRUE(first.Bytes.isEmpty());
  EXPECT_EQ(previewOf(archive, 1).Damage, "the compressed data inflate to 40000 bytes instead of 41000");
  EXPECT_EQ(previewOf(archive, 2).Damage, "its data lie outside the archive (3 bytes at offset 1000000)");
}

TEST(EngineEntryPreview, StopsAtTheLimitAndSaysSo) {
  const QByteArray text = SampleText(200'000, 2);
  const OpenArchive archive(DatWriter().add("PACKED.TXT", text, true).add("STORED.TXT", text.left(5000)));

  const EntryPreview packed = previewOf(archive, 0, 1000);
  EXPECT_EQ(packed.Bytes, text.left(1000));
  EXPECT_TRUE(packed.Cut);
  EXPECT_TRUE(packed.Damage.isEmpty());
  const EntryPreview stored = previewOf(archive, 1, 4999);
  EXPECT_EQ(stored.Bytes, text.left(4999));
  EXPECT_TRUE(stored.Cut);
  // An entry of exactly the limit is whole.
  const EntryPreview whole = previewOf(archive, 1, 5000);
  EXPECT_EQ(whole.Bytes, text.left(5000));
  EXPECT_FALSE(whole.Cut);
  EXPECT_EQ(previewOf(archive, 0).Bytes, text);
}

TEST(EngineEntryPreview, TextHasNoControlBytesButLineEndsTabAndFormFeed) {
  EXPECT_TRUE(LooksLikeText("line 1\r\nline\t2\n\f\xe9t\xe9\r"));
  EXPECT_TRUE(LooksLikeText(""));
  EXPECT_FALSE(LooksLikeText(QByteArray("a\0b", 3)));
  EXPECT_FALSE(LooksLikeText("a\x1b[31mb"));
  EXPECT_FALSE(LooksLikeText("a\x7f"));
}

TEST(EngineEntryPreview, LinesEndAtLfCrLfOrCr) {
  const QByteArray text = "one\r\ntwo\nthree\r\rsix\n";
  const std::vector<qint32> starts = LineStarts(text);
  QList<QByteArray> lines;
  for (std::size_t i = 0; i < starts.size(); ++i) lines << LineAt(text, starts, i).toByteArray();
  EXPECT_EQ(lines, (QList<QByteArray>{"one", "two", "three", "", "six"}));
  EXPECT_EQ(LineStarts("last").size(), 1u);
  EXPECT_TRUE(LineStarts("").empty());
}

TEST(EngineEntryPreview, HexDumpLineShowsOffsetBytesAndCharacters) {
  EXPECT_EQ(HexDumpLine(QByteArray("AB\0\xff", 4), 0x1230),
            "00001230  41 42 00 FF                                      AB..");
  EXPECT_EQ(HexDumpLine("0123456789abcdef", 16),
            "00000010  30 31 32 33 34 35 36 37 38 39 61 62 63 64 65 66  0123456789abcdef");
}

}  // namespace
