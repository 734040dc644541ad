// Opening an archive and reading its directory, the loader alone: every way a
// file is refused, and archives cut short at every length.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>
#include <QTemporaryDir>

#include "common/platform/FileNumbers.h"
#include "engine/archive/ArchiveOpening.h"
#include "engine/archive/DATFunctions.h"
#include "tests/support/DatWriter.h"

namespace engine {
namespace {

using testsupport::DatWriter;

class EngineLoaderTest : public ::testing::Test {
 protected:
  void TearDown() override { platform::CloseAll(); }

  QString write(const QByteArray& bytes, const QString& name) {
    const QString path = dir.filePath(name);
    EXPECT_TRUE(testsupport::WriteFile(path, bytes));
    return path;
  }

  // Why the archive cannot be loaded, at its opening or by its scan; empty
  // when every record was read. Nothing stays open either way.
  static QString refusalOf(const QString& path) {
    const ArchiveOpening opening = OpenArchiveFile(path);
    if (!opening.Refusal.isEmpty()) return opening.Refusal;
    ClsDatFile archive;
    archive.SetFixedInfo(opening.Info);
    QString refusal;
    try {
      DirTreeReader reader(*platform::SourceOf(opening.FileNo), archive);
      for (int32_t i = 0; i < archive.FilesTotal; ++i) reader.ReadNext();
    } catch (const dat::DatError& error) {
      refusal = "scan: " + error.message();
    }
    platform::CloseFile(opening.FileNo);
    return refusal;
  }

  QTemporaryDir dir;
};

TEST_F(EngineLoaderTest, OpensUnderTheLowestFreeNumberWithTheTrailersValues) {
  const QByteArray bytes = DatWriter().add("A\\B", "body").add("C", "dd").build();
  const QString path = write(bytes, "a.dat");
  ASSERT_TRUE(platform::OpenFile(1, path));
  const ArchiveOpening opening = OpenArchiveFile(path);
  EXPECT_EQ(opening.FileNo, 2);
  EXPECT_TRUE(opening.Refusal.isEmpty());
  EXPECT_TRUE(platform::IsOpen(2));
  EXPECT_EQ(opening.Info.DataSize, bytes.size());
  EXPECT_EQ(opening.Info.TreeSize, bytes.size() - testsupport::FilesTotalOffset(bytes) - 8);
  EXPECT_EQ(opening.Info.DirTreeAddr, testsupport::FirstRecordOffset(bytes) + 1);
  EXPECT_EQ(opening.Info.FilesTotal, 2);
}

// The reasons the format reader gives are its own tests; here each way of
// refusing a file tells the file and the reason, and closes it.
TEST_F(EngineLoaderTest, EveryRefusalNamesTheFileAndWhatIsWrongAndClosesIt) {
  QByteArray largest = DatWriter().add("A\\B", "body").build();
  testsupport::PatchInt32(largest, testsupport::FilesTotalOffset(largest), 2147483647);
  const QString pipe = dir.filePath("pipe.dat");
  ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);

  const QString plain = "This is not a Skarrow 2 DAT file!";
  const QList<std::pair<QString, QString>> cases = {
      {write("this is not an archive: TEXT", "text.dat"), plain},
      {write("123", "short.dat"), plain},
      {dir.filePath("missing.dat"), "The file <path> could not be opened: No such file or directory."},
      {pipe, "The file <path> could not be opened: it is a pipe, not a file."},
      {write(QByteArray("\x04\x00\x00\x00", 4), "four.dat"),
       "<path> is not a Skarrow 2 DAT file: the file is shorter than 8 bytes (4 bytes)."},
      {write(largest, "largest.dat"), "<path> is not a Skarrow 2 DAT file: FilesTotal 2147483647 cannot fit"}};
  for (const auto& [path, start] : cases) {
    SCOPED_TRACE(path.toStdString());
    const ArchiveOpening opening = OpenArchiveFile(path);
    EXPECT_EQ(opening.FileNo, 0);
    EXPECT_TRUE(opening.Refusal.startsWith(QString(start).replace("<path>", path))) << opening.Refusal.toStdString();
    EXPECT_EQ(opening.NotAnArchive, start == plain);
    EXPECT_EQ(platform::OpenCount(), 0);
  }
}

TEST_F(EngineLoaderTest, WithEveryFileNumberTakenNothingOpens) {
  const QString path = write(DatWriter().add("A", "1").build(), "a.dat");
  for (int n = 1; n <= platform::MaxFileNumber; ++n) ASSERT_TRUE(platform::OpenFile(n, path));
  const ArchiveOpening opening = OpenArchiveFile(path);
  EXPECT_EQ(opening.FileNo, 0);
  EXPECT_EQ(opening.Refusal, "The file " + path + " could not be opened: all 255 file numbers are in use.");
  EXPECT_EQ(platform::OpenCount(), platform::MaxFileNumber);
}

TEST_F(EngineLoaderTest, ArchivesCutShortAtEveryLengthAreRefusedWithAReason) {
  const QByteArray whole = DatWriter()
                               .add("TOP.TXT", "top")
                               .add("ART\\RUNNER.FRM", testsupport::SampleText(600, 1), true)
                               .add("ART\\SKY.FRM", testsupport::SampleText(90, 2))
                               .build();
  EXPECT_EQ(refusalOf(write(whole, "whole.dat")), "");
  // A file of its own for each length: rewriting one would wait for the disk.
  for (qsizetype length = 0; length < whole.size(); ++length) {
    SCOPED_TRACE(length);
    const QString path = write(whole.left(length), QString("cut%1.dat").arg(length));
    const QString refusal = refusalOf(path);
    EXPECT_TRUE(refusal.contains(path) || refusal == "This is not a Skarrow 2 DAT file!" || refusal.startsWith("scan: "))
        << refusal.toStdString();
    EXPECT_EQ(platform::OpenCount(), 0);
  }
}

}  // namespace
}  // namespace engine
