#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <thread>
#include <vector>

#include "common/platform/FileNumbers.h"
#include "common/platform/FileSource.h"
#include "common/platform/MemorySource.h"
#include "tests/support/DatWriter.h"

namespace {

const QByteArray Digits = "0123456789";

QByteArray readFully(const platform::ArchiveSource& source, qint64 position, qint64 length) {
  QByteArray bytes(length, '\0');
  const qint64 got = platform::ReadFully(source, position, bytes.data(), length);
  bytes.resize(std::max<qint64>(got, 0));
  return bytes;
}

class ArchiveSourceTest : public ::testing::Test {
 protected:
  std::shared_ptr<platform::FileSource> openFile(const QByteArray& bytes) {
    const QString path = dir.filePath("f.bin");
    EXPECT_TRUE(testsupport::WriteFile(path, bytes));
    return platform::FileSource::Open(path);
  }

  QTemporaryDir dir;
};

TEST_F(ArchiveSourceTest, APieceModeReadIsShortAndReadFullyJoinsThePieces) {
  const platform::MemorySource source(Digits, 3);
  char buffer[10];
  EXPECT_EQ(source.ReadAt(2, buffer, 10), 3);
  EXPECT_EQ(QByteArray(buffer, 3), "123");
  EXPECT_EQ(readFully(source, 2, 9), "123456789");
}

TEST_F(ArchiveSourceTest, ReadsNearAndPastTheEndGiveWhatThereIs) {
  const std::shared_ptr<platform::FileSource> file = openFile(Digits);
  ASSERT_TRUE(file);
  const platform::MemorySource memory(Digits);
  for (const platform::ArchiveSource* source : {static_cast<const platform::ArchiveSource*>(file.get()),
                                                static_cast<const platform::ArchiveSource*>(&memory)}) {
    char buffer[8];
    EXPECT_EQ(source->Length(), 10);
    EXPECT_EQ(readFully(*source, 9, 8), "89");
    EXPECT_EQ(source->ReadAt(11, buffer, 8), 0);
    EXPECT_EQ(source->ReadAt(0, buffer, 8), 0);  // positions start at 1
    EXPECT_EQ(source->ReadAt(1, buffer, -1), -1);
  }
}

TEST_F(ArchiveSourceTest, AFileKeepsTheLengthItHadWhenOpened) {
  const std::shared_ptr<platform::FileSource> source = openFile(Digits);
  ASSERT_TRUE(source);
  QFile file(dir.filePath("f.bin"));
  ASSERT_TRUE(file.open(QIODevice::Append));
  file.write("grown");
  file.close();
  EXPECT_EQ(source->Length(), 10);
  EXPECT_EQ(readFully(*source, 8, 10), "789");
}

TEST_F(ArchiveSourceTest, AFileThatCannotBeOpenedGivesNoSourceAndTheReason) {
  QString error;
  EXPECT_EQ(platform::FileSource::Open(dir.path(), &error), nullptr);
  EXPECT_EQ(error, "it is a folder, not a file");
}

TEST_F(ArchiveSourceTest, ThreadsReadingOneFileAtOnceEachGetTheirOwnBytes) {
  QByteArray bytes;
  for (int i = 0; i < 4096; ++i) bytes.append(static_cast<char>(i % 251));
  const std::shared_ptr<platform::FileSource> source = openFile(bytes);
  ASSERT_TRUE(source);
  std::vector<int> wrong(4, 0);
  std::vector<std::thread> readers;
  for (int t = 0; t < 4; ++t)
    readers.emplace_back([&, t] {
      for (int round = 0; round < 500; ++round) {
        const qint64 position = 1 + (round * 97 + t * 1031) % 4000;
        if (readFully(*source, position, 64) != bytes.mid(position - 1, 64)) ++wrong[t];
      }
    });
  for (std::thread& reader : readers) reader.join();
  EXPECT_EQ(wrong, std::vector<int>(4, 0));
}

TEST_F(ArchiveSourceTest, ASourceHandedOutStaysReadableAfterItsNumberIsClosed) {
  const QString path = dir.filePath("f.bin");
  ASSERT_TRUE(testsupport::WriteFile(path, Digits));
  ASSERT_TRUE(platform::OpenFile(1, path));
  const std::shared_ptr<const platform::ArchiveSource> source = platform::SourceOf(1);
  platform::CloseFile(1);
  EXPECT_EQ(platform::SourceOf(1), nullptr);
  EXPECT_EQ(readFully(*source, 1, 4), "0123");
}

}  // namespace
