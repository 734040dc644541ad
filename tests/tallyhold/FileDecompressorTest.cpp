#include <gtest/gtest.h>

#include "tallyhold/extract/ExtractErrors.h"
#include "tallyhold/extract/FileDecompressor.h"
#include "tests/support/DatWriter.h"

using namespace tallyhold;
using namespace testsupport;

namespace {

class TallyholdExtractDecompressor : public ::testing::Test {
 protected:
  // Feeds the stream in pieces of the given size; what came out is in out.
  void inflate(const QByteArray& stream, qint64 expectedSize, qsizetype piece = 4096) {
    out.clear();
    decompressor.Begin(expectedSize, [this](const char* data, qint64 size) { out.append(data, size); });
    for (qsizetype at = 0; at < stream.size(); at += piece)
      decompressor.Feed(stream.constData() + at, std::min(piece, stream.size() - at));
    decompressor.End();
  }

  FileDecompressor decompressor;
  QByteArray out;
};

TEST_F(TallyholdExtractDecompressor, InflatesAStreamFedInPiecesExactlyAndServesTheNextStream) {
  const QByteArray data = SampleText(5'000'000, 3);
  inflate(ZlibCompress(data), data.size());
  EXPECT_EQ(out, data);
  const QByteArray second = SampleText(1000, 4);
  inflate(ZlibCompress(second) + "trailing bytes are ignored", second.size(), 1);
  EXPECT_EQ(out, second);
}

TEST_F(TallyholdExtractDecompressor, DamagedOrTruncatedStreamsAreDamage) {
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

TEST_F(TallyholdExtractDecompressor, AnotherLengthThanExpectedIsDamageAndABombStopsAtTheExpectedSize) {
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
