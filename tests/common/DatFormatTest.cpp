#include <gtest/gtest.h>

#include <deque>

#include "common/dat/DatFormat.h"
#include "common/dat/DatRecord.h"
#include "common/platform/MemorySource.h"
#include "tests/support/DatWriter.h"

using namespace testsupport;

namespace {

class DatFormatTest : public ::testing::Test {
 protected:
  // The bytes as a source handing them out in odd-sized pieces, as a file may.
  const platform::ArchiveSource& open(const QByteArray& bytes) { return sources.emplace_back(bytes, 7); }

  // The fixed values, or the reader's complaint.
  QString fixedInfoError(const QByteArray& bytes) {
    try {
      dat::GetFixedDATInfo(open(bytes));
    } catch (const dat::DatError& error) {
      return error.message();
    }
    return {};
  }

  // Every record of the directory, or the reader's complaint as the last name.
  QList<dat::DirRecord> walk(const platform::ArchiveSource& n, QString* error) {
    const dat::FixedDATInfo info = dat::GetFixedDATInfo(n);
    dat::DirectoryReader block(n, info);
    dat::DirectoryReader small(n, info.DirTreeAddr, dat::DirectoryEnd(info), 300);
    QList<dat::DirRecord> records;
    qint64 position = info.DirTreeAddr;
    try {
      for (int i = 1; i <= info.FilesTotal; ++i) {
        records.append(block.RecordAt(position, i));
        // Records straddle the small pieces; they decode the same.
        for (const dat::DirRecord& other :
             {small.RecordAt(position, i), dat::ReadRecordAt(n, position, dat::DirectoryEnd(info), i)}) {
          EXPECT_EQ(other.Filename, records.last().Filename);
          EXPECT_EQ(other.Offset, records.last().Offset);
          EXPECT_EQ(other.NextPosition, records.last().NextPosition);
        }
        position = records.last().NextPosition;
      }
    } catch (const dat::DatError& e) {
      *error = e.message();
    }
    return records;
  }

  std::deque<platform::MemorySource> sources;
};

TEST_F(DatFormatTest, ReadsTrailerRecordsAndFieldsOfAValidArchive) {
  DatWriter writer;
  writer.add("README.TXT", "hello");
  writer.add("text\\english\\game\\MAPTEXT.MSG", SampleText(3000), true);
  const QByteArray bytes = writer.build();
  const platform::ArchiveSource& n = open(bytes);

  ASSERT_TRUE(dat::IsSkarrow2DAT(n));
  const dat::FixedDATInfo info = dat::GetFixedDATInfo(n);
  EXPECT_EQ(info.DataSize, bytes.size());
  EXPECT_EQ(info.FilesTotal, 2);
  EXPECT_EQ(info.DirTreeAddr, info.DataSize - info.TreeSize - 3);
  EXPECT_EQ(info.DirTreeAddr, FirstRecordOffset(bytes) + 1);

  QString error;
  const QList<dat::DirRecord> records = walk(n, &error);
  EXPECT_TRUE(error.isEmpty()) << error.toStdString();
  ASSERT_EQ(records.size(), 2);
  EXPECT_EQ(records[0].Filename, "README.TXT");
  EXPECT_EQ(records[0].FilenameSize, 10);
  EXPECT_EQ(records[0].Type, 0);
  EXPECT_EQ(records[0].RealSize, 5);
  EXPECT_EQ(records[0].Offset, 0);
  EXPECT_EQ(records[0].NextPosition, info.DirTreeAddr + 17 + 10);
  EXPECT_EQ(records[1].Filename, "text\\english\\game\\MAPTEXT.MSG");
  EXPECT_EQ(records[1].Type, 1);
  EXPECT_EQ(records[1].RealSize, 3000);
  EXPECT_EQ(records[1].Offset, 5);
  EXPECT_EQ(records[1].NextPosition, dat::DirectoryEnd(info));
}

TEST_F(DatFormatTest, EmptyArchiveHasTreeSizeFourAndFirstRecordAtTheTrailer) {
  const QByteArray bytes = DatWriter().build();
  ASSERT_EQ(bytes.size(), 12);
  const platform::ArchiveSource& n = open(bytes);
  ASSERT_TRUE(dat::IsSkarrow2DAT(n));
  const dat::FixedDATInfo info = dat::GetFixedDATInfo(n);
  EXPECT_EQ(info.TreeSize, 4);
  EXPECT_EQ(info.FilesTotal, 0);
  EXPECT_EQ(info.DirTreeAddr, dat::DirectoryEnd(info));
}

TEST_F(DatFormatTest, NameOver255BytesIsCutButTheNextRecordIsStillFound) {
  const QByteArray longName = QByteArray(300, 'n');
  DatWriter writer;
  writer.add(longName, "x");
  writer.add("after", "y");
  const platform::ArchiveSource& n = open(writer.build());
  QString error;
  const QList<dat::DirRecord> records = walk(n, &error);
  ASSERT_EQ(records.size(), 2) << error.toStdString();
  EXPECT_EQ(records[0].FilenameSize, 300);
  EXPECT_EQ(records[0].Filename, QByteArray(255, 'n'));
  EXPECT_EQ(records[1].Filename, "after");
}

TEST_F(DatFormatTest, ValidityTestComparesOnlyTheLastFourBytesWithTheLength) {
  EXPECT_FALSE(dat::IsSkarrow2DAT(open("this is not an archive: TEXT")));
  EXPECT_FALSE(dat::IsSkarrow2DAT(open("\x03\x00\x00")));
  // Four bytes that give the length pass; reading the fixed values then refuses them.
  const QByteArray four("\x04\x00\x00\x00", 4);
  EXPECT_TRUE(dat::IsSkarrow2DAT(open(four)));
  EXPECT_TRUE(fixedInfoError(four).contains("shorter than 8 bytes"));
  QByteArray lucky(16, 'z');
  PatchInt32(lucky, 12, 16);
  EXPECT_TRUE(dat::IsSkarrow2DAT(open(lucky)));
  // Passing the test is not enough to be read: TreeSize 'zzzz' points outside.
  EXPECT_TRUE(fixedInfoError(lucky).contains("TreeSize"));
}

TEST_F(DatFormatTest, MalformedTrailersAreRefusedWithTheirReason) {
  const QByteArray valid = DatWriter().add("a\\b", "body").add("c", "dd").build();
  const qint64 size = valid.size();

  EXPECT_TRUE(fixedInfoError("1234567").contains("shorter than 8 bytes"));

  QByteArray tiny = valid;
  PatchInt32(tiny, size - 8, 3);
  EXPECT_TRUE(fixedInfoError(tiny).contains("smaller than 4"));

  QByteArray huge = valid;
  PatchInt32(huge, size - 8, static_cast<int32_t>(size));
  EXPECT_TRUE(fixedInfoError(huge).contains("points outside the file"));

  QByteArray negativeTree = valid;
  PatchInt32(negativeTree, size - 8, -100);
  EXPECT_TRUE(fixedInfoError(negativeTree).contains("smaller than 4"));

  QByteArray negativeCount = valid;
  PatchInt32(negativeCount, FilesTotalOffset(valid), -1);
  EXPECT_TRUE(fixedInfoError(negativeCount).contains("FilesTotal is negative"));

  QByteArray tooMany = valid;
  PatchInt32(tooMany, FilesTotalOffset(valid), 0x7fffffff);
  EXPECT_TRUE(fixedInfoError(tooMany).contains("cannot fit"));

  QByteArray wrongSize = valid;
  PatchInt32(wrongSize, size - 4, static_cast<int32_t>(size + 1));
  EXPECT_TRUE(fixedInfoError(wrongSize).contains("differs from the file length"));

  EXPECT_TRUE(fixedInfoError(valid).isEmpty());
}

TEST_F(DatFormatTest, TheDirectoryMayStartAtTheFirstByteAndNoEarlier) {
  const QByteArray valid = DatWriter().add("a", "b").build();
  const auto size = static_cast<int32_t>(valid.size());
  QByteArray whole = valid;  // FilesTotal 0 at the very first byte
  PatchInt32(whole, size - 8, size - 8);
  PatchInt32(whole, 0, 0);
  EXPECT_EQ(fixedInfoError(whole), "");
  QByteArray past = valid;
  PatchInt32(past, size - 8, size - 7);
  EXPECT_EQ(fixedInfoError(past), QString("TreeSize %1 points outside the file of %2 bytes")
                                      .arg(QString::number(size - 7), QString::number(size)));
}

TEST_F(DatFormatTest, RecordsThatLeaveTheDirectoryStopTheWalkWithTheRecordNamed) {
  FixtureEntry negative;
  negative.name = "bad";
  negative.filenameSize = -5;
  DatWriter withNegative;
  withNegative.add("good", "1").add(negative);
  QString error;
  EXPECT_EQ(walk(open(withNegative.build()), &error).size(), 1);
  EXPECT_EQ(error, "record 2 has a negative FilenameSize (-5)");

  FixtureEntry runaway;
  runaway.name = "far";
  runaway.filenameSize = 1000000;
  DatWriter withRunaway;
  withRunaway.add(runaway).add("next", "2");
  error.clear();
  EXPECT_TRUE(walk(open(withRunaway.build()), &error).isEmpty());
  EXPECT_EQ(error, "record 1 runs past the end of the directory");

  // The last record one byte longer than the directory: its fields would be read shifted.
  FixtureEntry overBy1;
  overBy1.name = "last";
  overBy1.filenameSize = 5;
  DatWriter withOverBy1;
  withOverBy1.add("first", "1").add(overBy1);
  error.clear();
  EXPECT_EQ(walk(open(withOverBy1.build()), &error).size(), 1);
  EXPECT_EQ(error, "record 2 runs past the end of the directory");

  // FilesTotal one too many for the records present: the last read would
  // start inside the trailer.
  QByteArray extra = DatWriter().add("only", "3").build();
  PatchInt32(extra, FilesTotalOffset(extra), 2);
  // TreeSize 4 + 21 bytes holds at most one record, so the count itself is refused.
  EXPECT_TRUE(fixedInfoError(extra).contains("cannot fit"));
}

TEST_F(DatFormatTest, FormatHexIsUpperCaseWithoutZerosAndNegativesTakeEightDigits) {
  EXPECT_EQ(dat::FormatHex(0), "0");
  EXPECT_EQ(dat::FormatHex(6699), "1A2B");
  EXPECT_EQ(dat::FormatHex(1000000), "F4240");
  EXPECT_EQ(dat::FormatHex(-1), "FFFFFFFF");
  EXPECT_EQ(dat::FormatHex(-0x7fffffff - 1), "80000000");
}

}  // namespace
