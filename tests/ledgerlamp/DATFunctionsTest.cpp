#include <gtest/gtest.h>

#include <QFile>
#include <QStringList>

#include "common/platform/FileNumbers.h"
#include "ledgerlamp/DATFunctions.h"
#include "ledgerlamp/ShowRecord.h"
#include "tests/ledgerlamp/LedgerlampFixtures.h"

using namespace ledgerlamp;
using namespace ledgerlamptest;
using testsupport::DatWriter;
using testsupport::FixtureEntry;

namespace {

FixtureEntry entryNamed(const QByteArray& name) {
  FixtureEntry entry;
  entry.name = name;
  entry.data = "abc";
  return entry;
}

class LedgerlampDATFunctions : public ::testing::Test {
 protected:
  void TearDown() override { platform::CloseAll(); }

  ReaderState load(const QByteArray& bytes) {
    return LoadDAT(Written(dir, QStringLiteral("a%1.dat").arg(++files), bytes),
                   [this](const QString& status) { statuses << status; });
  }

  // The refusal of the file, or an empty text when it loads.
  static LoadError refusalOf(const QString& path) {
    try {
      LoadDAT(path, [](const QString&) {});
    } catch (const LoadError& error) {
      return error;
    }
    return LoadError(LoadError::Unusable, QString());
  }
  LoadError refusal(const QByteArray& bytes) {
    return refusalOf(Written(dir, QStringLiteral("a%1.dat").arg(++files), bytes));
  }

  QTemporaryDir dir;
  QStringList statuses;
  int files = 0;
};

TEST_F(LedgerlampDATFunctions, LoadsTheTableAndShowsEveryRecord) {
  const DatWriter writer = FiveRecords();
  const QByteArray bytes = writer.build();
  const ReaderState state = load(bytes);

  EXPECT_EQ(statuses, QStringList({"Getting fixed DAT info...", "Getting fixed DAT info... DATSizes",
                                   "Getting fixed DAT info... DirTreeAddr", "Getting fixed DAT info... FilesTotal",
                                   "Scanning DAT..."}));
  EXPECT_EQ(state.DATSizes.DataSize, bytes.size());
  EXPECT_EQ(state.DATSizes.TreeSize, testsupport::Int32At(bytes, bytes.size() - 8));
  EXPECT_EQ(state.FilesTotal, 5);
  EXPECT_EQ(state.RecordCount(), 5);
  EXPECT_TRUE(platform::IsOpen(state.DatFile));

  // Each entry lies 17 + the name's length after the one before; the last is the trailer.
  qint64 expected = testsupport::FirstRecordOffset(bytes);
  EXPECT_EQ(state.FirstRecordOffset, expected);
  for (int k = 0; k < 5; ++k) {
    EXPECT_EQ(state.RecordPos[k], expected) << k;
    expected += 17 + writer.entries()[k].name.size();
  }
  EXPECT_EQ(state.RecordPos[5], bytes.size() - 8);

  const RecordView second = ShowRecord(state, 1);
  EXPECT_EQ(second.Filename, "art\\critters\\GULL.BMP");
  EXPECT_EQ(second.FilenameSize, "21");
  EXPECT_EQ(second.Type, "1");
  EXPECT_EQ(second.RealSize, "3000");
  EXPECT_EQ(second.PackedSize,
            QString::number(testsupport::ZlibCompress(testsupport::SampleText(3000, 1)).size()));
  EXPECT_EQ(second.Offset, "5h");  // after the 5 bytes of README.TXT
  EXPECT_EQ(second.Index, "2");
  EXPECT_EQ(ShowRecord(state, 0).Type, "0");
  EXPECT_EQ(ShowRecord(state, 0).Offset, "0h");
  EXPECT_EQ(ShowRecord(state, 4).Filename, "LAST.DAT");
  EXPECT_THROW(ShowRecord(state, 5), dat::DatError);
  EXPECT_THROW(ShowRecord(state, -1), dat::DatError);
}

TEST_F(LedgerlampDATFunctions, ShowsFieldsAsTheBoxesWriteThem) {
  FixtureEntry hex = entryNamed("HEX");
  hex.offset = 26;
  FixtureEntry negative = entryNamed("NEG");
  negative.offset = -2;
  negative.realSize = -7;
  FixtureEntry typed = entryNamed("TYPED");
  typed.type = 255;
  const FixtureEntry accented = entryNamed("caf\xe9.txt");
  const ReaderState state = load(DatWriter().add(hex).add(negative).add(typed).add(accented).build());

  EXPECT_EQ(ShowRecord(state, 0).Offset, "1Ah");
  EXPECT_EQ(ShowRecord(state, 1).Offset, "FFFFFFFEh");
  EXPECT_EQ(ShowRecord(state, 1).RealSize, "-7");
  EXPECT_EQ(ShowRecord(state, 2).Type, "255");
  EXPECT_EQ(ShowRecord(state, 3).Filename, QString::fromUtf8("caf\u00e9.txt"));
}

TEST_F(LedgerlampDATFunctions, KeepsTheFirst255BytesOfLongNamesAndFindsTheNextRecord) {
  const QByteArray longName = testsupport::SampleText(300, 4).replace('\n', '_');
  const ReaderState state = load(DatWriter().add(longName, "one").add("AFTER.TXT", "two").build());

  const RecordView first = ShowRecord(state, 0);
  EXPECT_EQ(first.FilenameSize, "300");
  EXPECT_EQ(first.Filename, QString::fromLatin1(longName.left(255)));
  EXPECT_EQ(state.RecordPos[1] - state.RecordPos[0], 17 + 300);
  EXPECT_EQ(ShowRecord(state, 1).Filename, "AFTER.TXT");
  EXPECT_EQ(ShowRecord(state, 1).Offset, "3h");
}

TEST_F(LedgerlampDATFunctions, FixedValuesMatchTheTrailerArithmetic) {
  // One record of 17 + 79 bytes: TreeSize 100; a body of 892 bytes makes DataSize 1000.
  const QByteArray bytes = DatWriter().add(QByteArray(79, 'N'), testsupport::SampleText(892)).build();
  ASSERT_EQ(bytes.size(), 1000);
  const ReaderState state = load(bytes);
  EXPECT_EQ(state.DATSizes.TreeSize, 100);
  EXPECT_EQ(state.FirstRecordOffset, 896);
  EXPECT_EQ(testsupport::Int32At(bytes, 892), state.FilesTotal);
}

TEST_F(LedgerlampDATFunctions, RefusesFilesThatFailACheckNamingFileAndProblem) {
  const LoadError text = refusal("this is plainly a text file, not an archive");
  EXPECT_EQ(text.kind(), LoadError::NotAnArchive);
  EXPECT_EQ(text.message(), "This is not a Skarrow 2 DAT file!");

  // Four to seven bytes: the plain refusal, unless the last four give the length.
  EXPECT_EQ(refusal("12345").kind(), LoadError::NotAnArchive);
  const LoadError shortFile = refusal(QByteArray("ab\x06\x00\x00\x00", 6));
  EXPECT_EQ(shortFile.kind(), LoadError::Unusable);
  EXPECT_EQ(shortFile.message(),
            "Cannot load " + dir.filePath("a3.dat") + ": the file is shorter than 8 bytes (6 bytes).");

  QByteArray tree = FiveRecords().build();
  testsupport::PatchInt32(tree, tree.size() - 8, tree.size());  // TreeSize past the start of the file
  EXPECT_TRUE(refusal(tree).message().contains("TreeSize")) << refusal(tree).what();

  QByteArray negative = FiveRecords().build();
  testsupport::PatchInt32(negative, testsupport::FilesTotalOffset(negative), -1);
  EXPECT_TRUE(refusal(negative).message().contains("FilesTotal is negative")) << refusal(negative).what();

  QByteArray huge = FiveRecords().build();
  testsupport::PatchInt32(huge, testsupport::FilesTotalOffset(huge), 2000000000);
  EXPECT_TRUE(refusal(huge).message().contains("cannot fit")) << refusal(huge).what();

  const QString missing = dir.filePath("missing.dat");
  const LoadError absent = refusalOf(missing);
  EXPECT_EQ(absent.kind(), LoadError::Unusable);
  EXPECT_TRUE(absent.message().startsWith("Cannot load " + missing + ": ")) << absent.what();
  EXPECT_EQ(platform::OpenCount(), 0);  // every refused file was closed again
}

TEST_F(LedgerlampDATFunctions, ADirectoryThatCannotBeReadToTheEndIsRefused) {
  const LoadError negative = refusal(WithFilenameSize(FiveRecords(), 3, -5));
  EXPECT_EQ(negative.kind(), LoadError::Unusable);
  EXPECT_EQ(negative.message(),
            "Cannot load " + dir.filePath("a1.dat") + ": record 3 has a negative FilenameSize (-5).");

  EXPECT_TRUE(refusal(WithFilenameSize(FiveRecords(), 1, 100000))
                  .message()
                  .contains("record 1 runs past the end of the directory"));

  // A count larger than the records present, yet small enough for the directory.
  QByteArray moreCounted = DatWriter().add(QByteArray(60, 'A'), "a").add("B", "b").build();
  testsupport::PatchInt32(moreCounted, testsupport::FilesTotalOffset(moreCounted), 4);
  EXPECT_TRUE(refusal(moreCounted).message().contains("record 3")) << refusal(moreCounted).what();
  EXPECT_EQ(platform::OpenCount(), 0);
}

// Cut in place, a byte at a time from the end: no length leaves the last four
// bytes equal to the file's length.
TEST_F(LedgerlampDATFunctions, AnArchiveCutShortAtEveryLengthIsRefusedAndTheEarlierOneStaysOpen) {
  const QByteArray whole = FiveRecords().build();
  const ReaderState earlier = load(whole);
  const QString path = Written(dir, "cut.dat", whole);
  for (qsizetype length = whole.size() - 1; length >= 0; --length) {
    SCOPED_TRACE(length);
    ASSERT_TRUE(QFile::resize(path, length));
    EXPECT_EQ(refusalOf(path).message(), "This is not a Skarrow 2 DAT file!");
    EXPECT_TRUE(platform::IsOpen(earlier.DatFile));
    EXPECT_EQ(platform::OpenCount(), 1);
  }
}

TEST_F(LedgerlampDATFunctions, AnEmptyArchiveHasNoRecordToShow) {
  const ReaderState state = load(DatWriter().build());
  EXPECT_EQ(state.FilesTotal, 0);
  EXPECT_EQ(state.DATSizes.TreeSize, 4);
  EXPECT_EQ(state.RecordCount(), 0);
  EXPECT_EQ(state.RecordPos, std::vector<int32_t>({state.DATSizes.DataSize - 8}));
  EXPECT_THROW(ShowRecord(state, 0), dat::DatError);
}

TEST_F(LedgerlampDATFunctions, ARecordGoneFromTheFileIsAnErrorNotAReadOutsideIt) {
  const QString path = Written(dir, "shrinks.dat", FiveRecords().build());
  const ReaderState state = LoadDAT(path, [](const QString&) {});
  ASSERT_TRUE(QFile::resize(path, state.RecordPos[2]));
  EXPECT_EQ(ShowRecord(state, 1).Filename, "art\\critters\\GULL.BMP");
  EXPECT_THROW(ShowRecord(state, 3), dat::DatError);
}

TEST_F(LedgerlampDATFunctions, CloseAllExceptKeepsOnlyTheGivenFile) {
  const ReaderState first = load(FiveRecords().build());
  const ReaderState second = load(FiveRecords().build());
  EXPECT_NE(first.DatFile, second.DatFile);
  CloseAllExcept(second.DatFile);
  EXPECT_FALSE(platform::IsOpen(first.DatFile));
  EXPECT_TRUE(platform::IsOpen(second.DatFile));
  EXPECT_EQ(platform::OpenCount(), 1);
}

}  // namespace
