// Opening an archive and reading its directory, the engine alone: every way a
// source is refused, and archives cut short at every length.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>
#include <QTemporaryDir>

#include "common/platform/MemorySource.h"
#include "engine/archive/ArchiveOpening.h"
#include "engine/archive/DirectoryWalk.h"
#include "tests/support/DatWriter.h"

namespace engine {
namespace {

using Kind = ArchiveRefusal::Kind;
using testsupport::DatWriter;

std::shared_ptr<const platform::ArchiveSource> memory(const QByteArray& bytes) {
  return std::make_shared<platform::MemorySource>(bytes, 7);
}

// The refusal at the opening or while the directory is walked; None when
// every record was read.
ArchiveRefusal refusalOf(const QByteArray& bytes) {
  const OpenedArchive opened = OpenArchive(memory(bytes));
  if (!opened) return opened.Refusal;
  try {
    DirectoryWalk walk(*opened.Source, opened.Info);
    while (!walk.AtEnd()) walk.Next();
  } catch (const ArchiveRefused& refused) {
    return refused.refusal();
  }
  return {};
}

TEST(EngineLoaderTest, OpensWithTheTrailersValues) {
  const QByteArray bytes = DatWriter().add("A\\B", "body").add("C", "dd").build();
  const OpenedArchive opened = OpenArchive(memory(bytes));
  ASSERT_TRUE(opened);
  EXPECT_EQ(opened.Refusal.kind, Kind::None);
  EXPECT_EQ(opened.Info.DataSize, bytes.size());
  EXPECT_EQ(opened.Info.TreeSize, bytes.size() - testsupport::FilesTotalOffset(bytes) - 8);
  EXPECT_EQ(opened.Info.DirTreeAddr, testsupport::FirstRecordOffset(bytes) + 1);
  EXPECT_EQ(opened.Info.FilesTotal, 2);
}

// The reasons the format reader gives are its own tests; here each way of
// refusing has its kind, and the files the system refuses have its reason.
TEST(EngineLoaderTest, EveryRefusalHasItsKindAndWhatIsWrong) {
  QByteArray largest = DatWriter().add("A\\B", "body").build();
  testsupport::PatchInt32(largest, testsupport::FilesTotalOffset(largest), 2147483647);
  const QList<std::tuple<QByteArray, Kind, QString>> cases = {
      {"this is not an archive: TEXT", Kind::NotAnArchive, "its last 4 bytes are not its length"},
      {"123", Kind::NotAnArchive, "it is shorter than 4 bytes"},
      {QByteArray("\x04\x00\x00\x00", 4), Kind::BadFixedValues, "the file is shorter than 8 bytes (4 bytes)"},
      {largest, Kind::BadFixedValues, "FilesTotal 2147483647 cannot fit"}};
  for (const auto& [bytes, kind, detail] : cases) {
    SCOPED_TRACE(bytes.left(30).toStdString());
    const OpenedArchive opened = OpenArchive(memory(bytes));
    EXPECT_FALSE(opened.Source);
    EXPECT_EQ(opened.Refusal.kind, kind);
    EXPECT_TRUE(opened.Refusal.detail.startsWith(detail)) << opened.Refusal.detail.toStdString();
  }

  QTemporaryDir dir;
  const QString pipe = dir.filePath("pipe.dat");
  ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
  for (const auto& [path, detail] : {std::pair{dir.filePath("missing.dat"), QString("No such file or directory")},
                                     std::pair{pipe, QString("it is a pipe, not a file")}}) {
    const OpenedArchive opened = OpenArchiveFile(path);
    EXPECT_EQ(opened.Refusal.kind, Kind::CannotOpen);
    EXPECT_EQ(opened.Refusal.detail, detail);
  }
}

TEST(EngineLoaderTest, ArchivesCutShortAtEveryLengthAreRefusedWithAReason) {
  const QByteArray whole = DatWriter()
                               .add("TOP.TXT", "top")
                               .add("ART\\RUNNER.FRM", testsupport::SampleText(600, 1), true)
                               .add("ART\\SKY.FRM", testsupport::SampleText(90, 2))
                               .build();
  EXPECT_EQ(refusalOf(whole).kind, Kind::None);
  for (qsizetype length = 0; length < whole.size(); ++length) {
    SCOPED_TRACE(length);
    const ArchiveRefusal refusal = refusalOf(whole.left(length));
    EXPECT_NE(refusal.kind, Kind::None);
    EXPECT_FALSE(refusal.detail.isEmpty());
  }
}

}  // namespace
}  // namespace engine
