#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <sys/stat.h>

#include "common/platform/FileNumbers.h"
#include "tests/support/DatWriter.h"

namespace {

TEST(FileNumbersTest, OpenFreeFileTakesTheLowestNumberUntilNoneIsLeft) {
  QTemporaryDir dir;
  const QString path = dir.filePath("f.bin");
  ASSERT_TRUE(testsupport::WriteFile(path, "0123456789"));
  ASSERT_TRUE(platform::OpenFile(2, path));
  QString error;
  EXPECT_EQ(platform::OpenFreeFile(path, &error), 1);
  for (int n = 3; n <= platform::MaxFileNumber; ++n) ASSERT_EQ(platform::OpenFreeFile(path, &error), n);
  EXPECT_EQ(platform::OpenFreeFile(path, &error), 0);
  EXPECT_EQ(error, "all 255 file numbers are in use");
  platform::CloseAll();
}

TEST(FileNumbersTest, LowestFreeNumberIsReusedAndReadsAreClippedToTheFile) {
  QTemporaryDir dir;
  const QString path = dir.filePath("f.bin");
  ASSERT_TRUE(testsupport::WriteFile(path, "0123456789"));

  EXPECT_EQ(platform::FreeFile(), 1);
  ASSERT_TRUE(platform::OpenFile(1, path));
  ASSERT_TRUE(platform::OpenFile(platform::FreeFile(), path));
  EXPECT_TRUE(platform::IsOpen(2));
  EXPECT_FALSE(platform::OpenFile(2, path));  // number in use

  platform::CloseFile(1);
  EXPECT_EQ(platform::FreeFile(), 1);

  char buffer[8] = {};
  const auto source = platform::SourceOf(2);
  ASSERT_NE(source, nullptr);
  EXPECT_EQ(platform::ReadFully(*source, 1, buffer, 3), 3);
  EXPECT_EQ(QByteArray(buffer, 3), "012");
  EXPECT_EQ(platform::ReadFully(*source, 9, buffer, 8), 2);  // near the end: what there is
  EXPECT_EQ(QByteArray(buffer, 2), "89");
  EXPECT_EQ(platform::ReadFully(*source, 11, buffer, 8), 0);  // past the end
  EXPECT_EQ(platform::ReadFully(*source, 0, buffer, 8), 0);   // positions start at 1
  EXPECT_EQ(platform::SourceOf(7), nullptr);                  // not open
  EXPECT_EQ(source->Length(), 10);

  QString error;
  EXPECT_FALSE(platform::OpenFile(1, dir.filePath("missing"), &error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_FALSE(platform::IsOpen(1));

  platform::CloseAll();
  EXPECT_EQ(platform::OpenCount(), 0);
  platform::CloseFile(2);  // harmless when not open
}

TEST(FileNumbersTest, OnlyRegularFilesOpenAndAPipeWithoutWriterIsRefusedAtOnce) {
  QTemporaryDir dir;
  const QString pipe = dir.filePath("pipe");
  ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
  const struct {
    QString path;
    QString reason;
  } refused[] = {{pipe, "it is a pipe, not a file"},
                 {dir.path(), "it is a folder, not a file"},
                 {"/dev/null", "it is a device, not a file"}};
  for (const auto& special : refused) {
    QString error;
    EXPECT_FALSE(platform::OpenFile(1, special.path, &error)) << special.path.toStdString();
    EXPECT_EQ(error, special.reason);
  }
  EXPECT_EQ(platform::OpenCount(), 0);
}

}  // namespace
