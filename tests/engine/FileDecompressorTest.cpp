#include <gtest/gtest.h>
#include <zlib.h>

#include <optional>

#include "engine/extract/ExtractErrors.h"
#include "engine/extract/FileDecompressor.h"
#include "tests/support/DatWriter.h"

using namespace engine;
using namespace testsupport;

namespace {

// zlib's own verdict on a stream that must inflate to expectedSize bytes:
// what it inflates, or nothing when it refuses the stream.
std::optional<QByteArray> zlibVerdict(const QByteArray& stream, qint64 expectedSize) {
  QByteArray out(expectedSize + 1, Qt::Uninitialized);
  uLongf length = static_cast<uLongf>(out.size());
  uLong used = static_cast<uLong>(stream.size());
  if (uncompress2(reinterpret_cast<Bytef*>(out.data()), &length,
                  reinterpret_cast<const Bytef*>(stream.constData()), &used) != Z_OK ||
      length != static_cast<uLongf>(expectedSize))
    return std::nullopt;
  return out.left(expectedSize);
}

class EngineExtractDecompressor : public ::testing::Test {
 protected:
  // Feeds the stream in pieces of the given size; what came out is in out.
  void inflate(const QByteArray& stream, qint64 expectedSize, qsizetype piece = 4096) {
    out.clear();
    decompressor.Begin(expectedSize, [this](const char* data, qint64 size) { out.append(data, size); });
    for (qsizetype at = 0; at < stream.size(); at += piece)
      decompressor.Feed(stream.constData() + at, std::min(piece, stream.size() - at));
    decompressor.End();
  }

  // The decompressor's verdict in the same form as zlibVerdict's.
  std::optional<QByteArray> verdict(const QByteArray& stream, qint64 expectedSize) {
    try {
      inflate(stream, expectedSize);
      return out;
    } catch (const EntryDataError&) {
      return std::nullopt;
    }
  }

  FileDecompressor decompressor;
  QByteArray out;
};

// Whichever library the build inflates with (ISA-L or zlib).
TEST_F(EngineExtractDecompressor, JudgesEveryKindOfDamageAsZlibDoes) {
  const QByteArray data = SampleText(200'000, 8);
  const QByteArray stream = ZlibCompress(data);
  QByteArray wrongChecksum = stream;
  wrongChecksum[stream.size() - 2] = static_cast<char>(wrongChecksum[stream.size() - 2] ^ 0x40);
  QByteArray wideWindow = stream;  // CINFO 8: a 64 KiB window, which zlib refuses
  wideWindow[0] = static_cast<char>(0x88);
  wideWindow[1] = static_cast<char>(31 - (0x88 * 256) % 31);
  const struct {
    const char* what;
    QByteArray stream;
    qint64 expectedSize;
  } cases[] = {
      {"intact", stream, data.size()},
      {"wrong checksum", wrongChecksum, data.size()},
      {"cut in the data", stream.left(stream.size() / 3), data.size()},
      {"cut in the checksum", stream.chopped(2), data.size()},
      {"trailing data", stream + "more bytes after the stream", data.size()},
      {"longer than RealSize", stream, data.size() - 1},
      {"shorter than RealSize", stream, data.size() + 1},
      {"window above 32 KiB", wideWindow, data.size()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::optional<QByteArray> expected = zlibVerdict(c.stream, c.expectedSize);
    EXPECT_EQ(verdict(c.stream, c.expectedSize), expected);
  }
}

TEST_F(EngineExtractDecompressor, InflatesAStreamFedInPiecesExactlyAndServesTheNextStream) {
  const QByteArray data = SampleText(5'000'000, 3);
  inflate(ZlibCompress(data), data.size());
  EXPECT_EQ(out, data);
  const QByteArray second = SampleText(1000, 4);
  inflate(ZlibCompress(second) + "trailing bytes are ignored", second.size(), 1);
  EXPECT_EQ(out, second);
}

// The end may fall anywhere in a piece, and pieces may follow it.
TEST_F(EngineExtractDecompressor, BytesAfterTheStreamAreCountedHoweverItIsFed) {
  const QByteArray data = SampleText(100'000, 7);
  const QByteArray stream = ZlibCompress(data);
  for (const qsizetype piece : {qsizetype{1}, qsizetype{7}, qsizetype{4096}, stream.size() + 6}) {
    SCOPED_TRACE(piece);
    inflate(stream + "abcdef", data.size(), piece);
    EXPECT_EQ(out, data);
    EXPECT_EQ(decompressor.Trailing(), 6);
  }
  inflate(stream, data.size());
  EXPECT_EQ(decompressor.Trailing(), 0);
}

TEST_F(EngineExtractDecompressor, DamagedOrTruncatedStreamsAreDamage) {
  const QByteArray data = SampleText(300'000, 5);
  const QByteArray stream = ZlibCompress(data);
  QByteArray damaged = stream;
  for (qsizetype i = 100; i < 140; ++i) damaged[i] = static_cast<char>(damaged[i] ^ 0x5A);
  QByteArray badHeader = stream;
  badHeader[0] = 0x12;
  QByteArray badChecksum = stream;
  badChecksum[badChecksum.size() - 1] = static_cast<char>(badChecksum[badChecksum.size() - 1] ^ 1);
  for (const QByteArray& broken : {stream.left(stream.size() / 2), stream.left(stream.size() - 1), damaged,
                                   badHeader, badChecksum, QByteArray()}) {
    SCOPED_TRACE(broken.size());
    EXPECT_THROW(inflate(broken, data.size()), EntryDataError);
  }
}

TEST_F(EngineExtractDecompressor, AnotherLengthThanExpectedIsDamageAndABombStopsAtTheExpectedSize) {
  const QByteArray data = SampleText(100'000, 6);
  EXPECT_THROW(inflate(ZlibCompress(data), data.size() + 1), EntryDataError);
  EXPECT_THROW(inflate(ZlibCompress(data), data.size() - 1), EntryDataError);

  // 64 MiB of zeros in a stream of a few hundred KB, claimed to be 1000 bytes.
  try {
    inflate(ZlibCompress(QByteArray(64 << 20, '\0'), 1), 1000, 1 << 20);
    FAIL() << "a stream longer than expected was accepted";
  } catch (const EntryDataError& error) {
    EXPECT_EQ(error.reason(), "the compressed data inflate to more than 1000 bytes");
  }
  EXPECT_LE(out.size(), 1000);
}

}  // namespace
