#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "tallyhold/extract/ExtractErrors.h"
#include "tallyhold/extract/FileDecompressor.h"
#include "tests/support/DatWriter.h"

using namespace tallyhold;
using namespace testsupport;

namespace {

class TallyholdExtractDecompressor : public ::testing::Test {
 protected:
  // Writes the stream as the source and points the decompressor at it.
  void prepare(const QByteArray& stream, qint64 expectedSize) {
    WriteFile(dir.filePath("body.zlib"), stream);
    decompressor.SourceFile = dir.filePath("body.zlib");
    decompressor.TargetFile = dir.filePath("body.out");
    decompressor.ExpectedSize = expectedSize;
  }
  QStringList files() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }

  QTemporaryDir dir;
  FileDecompressor decompressor;
};

TEST_F(TallyholdExtractDecompressor, InflatesAStreamOfManyChunksExactlyAndReplacesALongerTarget) {
  const QByteArray data = SampleText(5'000'000, 3);
  WriteFile(dir.filePath("body.out"), QByteArray(7'000'000, 'x'));
  prepare(ZlibCompress(data), data.size());
  decompressor.Decompress();
  EXPECT_EQ(ReadFile(dir.filePath("body.out")), data);
  EXPECT_EQ(files(), (QStringList{"body.out", "body.zlib"}));

  // The same object serves the next stream.
  const QByteArray second = SampleText(1000, 4);
  prepare(ZlibCompress(second), second.size());
  decompressor.Decompress();
  EXPECT_EQ(ReadFile(dir.filePath("body.out")), second);
}

TEST_F(TallyholdExtractDecompressor, DamagedOrTruncatedStreamsFailAndLeaveTheTargetAsItWas) {
  const QByteArray data = SampleText(300'000, 5);
  const QByteArray stream = ZlibCompress(data);
  QByteArray damaged = stream;
  for (qsizetype i = 100; i < 140; ++i) damaged[i] = static_cast<char>(damaged[i] ^ 0x5A);
  QByteArray badHeader = stream;
  badHeader[0] = 0x12;
  const QByteArray cases[] = {stream.left(stream.size() / 2), stream.left(stream.size() - 1), damaged,
                              badHeader, QByteArray()};
  WriteFile(dir.filePath("body.out"), "earlier contents");
  for (const QByteArray& broken : cases) {
    SCOPED_TRACE(broken.size());
    prepare(broken, data.size());
    EXPECT_THROW(decompressor.Decompress(), EntryDataError);
    EXPECT_EQ(ReadFile(dir.filePath("body.out")), "earlier contents");
    EXPECT_EQ(files(), (QStringList{"body.out", "body.zlib"}));
  }
}

TEST_F(TallyholdExtractDecompressor, AnotherLengthThanExpectedIsDamageAndABombStopsEarly) {
  const QByteArray data = SampleText(100'000, 6);
  prepare(ZlibCompress(data), data.size() + 1);
  EXPECT_THROW(decompressor.Decompress(), EntryDataError);
  prepare(ZlibCompress(data), data.size() - 1);
  EXPECT_THROW(decompressor.Decompress(), EntryDataError);
  EXPECT_FALSE(QFile::exists(dir.filePath("body.out")));

  // 64 MiB of zeros in a stream of a few hundred KB, claimed to be 1000 bytes.
  prepare(ZlibCompress(QByteArray(64 << 20, '\0'), 1), 1000);
  try {
    decompressor.Decompress();
    FAIL() << "a stream longer than expected was accepted";
  } catch (const EntryDataError& error) {
    EXPECT_EQ(error.reason(), "the compressed data inflate to more than 1000 bytes");
  }
  EXPECT_FALSE(QFile::exists(dir.filePath("body.out")));
}

TEST_F(TallyholdExtractDecompressor, MissingSourceAndUnwritableTargetAreTold) {
  prepare(ZlibCompress("abc"), 3);
  decompressor.SourceFile = dir.filePath("absent.zlib");
  EXPECT_THROW(decompressor.Decompress(), EntryDataError);

  prepare(ZlibCompress("abc"), 3);
  decompressor.TargetFile = dir.filePath("no-such-folder/body.out");
  try {
    decompressor.Decompress();
    FAIL() << "a target in a missing folder was accepted";
  } catch (const DestinationError& error) {
    EXPECT_EQ(error.file(), dir.filePath("no-such-folder/body.out"));
    EXPECT_EQ(error.reason(), "No such file or directory");
  }
}

}  // namespace
