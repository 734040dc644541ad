#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "common/platform/HiddenFiles.h"
#include "gulpwell/ZlibFunctions.h"
#include "tests/support/DatWriter.h"
#include "tests/support/DeflateBits.h"
#include "tests/support/Mounted.h"
#include "tests/widgets/QtPrinters.h"

namespace {

using namespace gulpwell;
using testsupport::ReadFile;
using testsupport::SampleText;
using testsupport::WriteFile;

// Text with stretches of noise, so that stored and compressed blocks alternate.
QByteArray MixedBytes(qsizetype size) {
  QByteArray bytes = SampleText(size, 7);
  QRandomGenerator noise(42);
  for (qsizetype at = 0; at + 4096 <= size; at += 3 * 4096)
    noise.fillRange(reinterpret_cast<quint32*>(bytes.data() + at), 1024);
  return bytes;
}

QStringList FilesIn(const QString& folder) {
  return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

class GulpwellZlibFunctions : public ::testing::Test {
 protected:
  QString path(const QString& name) const { return dir.filePath(name); }
  QTemporaryDir dir;
};

TEST_F(GulpwellZlibFunctions, CompressedFilesBeginWith78DAAndAnyZlibDecoderRestoresThem) {
  for (const qsizetype size : {qsizetype(1), qsizetype(100), qsizetype(1000), qsizetype(8 * 1024 * 1024 + 1)}) {
    const QByteArray original = MixedBytes(size);
    const QString source = path(QStringLiteral("data%1.bin").arg(size));
    ASSERT_TRUE(WriteFile(source, original));

    ASSERT_TRUE(CompressFile(source).ok()) << size;
    EXPECT_EQ(CompressedName(source), source + ".QZ");
    const QByteArray stream = ReadFile(source + ".QZ");
    EXPECT_EQ(stream.left(2), QByteArray("\x78\xDA")) << size;
    EXPECT_EQ(testsupport::ZlibUncompress(stream, size), original) << size;

    const QString restored = path(QStringLiteral("restored%1").arg(size));
    ASSERT_TRUE(UncompressFile(source + ".QZ", restored).ok()) << size;
    EXPECT_EQ(ReadFile(restored), original) << size;
    EXPECT_EQ(ReadFile(source), original) << size;
    QFile::remove(source + ".QZ");
    QFile::remove(restored);
    QFile::remove(source);
  }
}

TEST_F(GulpwellZlibFunctions, ACompressedEntryCopiedOutOfAnArchiveDecompressesToItsData) {
  const QByteArray data = MixedBytes(8 * 1024 * 1024 + 1);
  const QByteArray archive =
      testsupport::DatWriter().add("ART\\README.TXT", "stored as is").add("MAPS\\BIG.MAP", data, true).build();
  // The second record: FilenameSize, Filename, Type, RealSize, PackedSize, Offset.
  qint64 record = testsupport::FirstRecordOffset(archive);
  record += 4 + testsupport::Int32At(archive, record) + 13;
  const qint64 nameSize = testsupport::Int32At(archive, record);
  ASSERT_EQ(archive.at(record + 4 + nameSize), 1);
  const qint64 packedSize = testsupport::Int32At(archive, record + 9 + nameSize);
  const qint64 offset = testsupport::Int32At(archive, record + 13 + nameSize);
  ASSERT_TRUE(WriteFile(path("entry.zlib"), archive.mid(offset, packedSize)));

  ASSERT_TRUE(UncompressFile(path("entry.zlib"), path("BIG.MAP")).ok());
  EXPECT_EQ(ReadFile(path("BIG.MAP")), data);
}

TEST_F(GulpwellZlibFunctions, OutputsReplaceEarlierFilesWithExactlyTheNewBytes) {
  const QString source = path("notes.txt");
  ASSERT_TRUE(WriteFile(source, MixedBytes(300000)));
  ASSERT_TRUE(CompressFile(source).ok());
  const QByteArray shorter = SampleText(2000, 3);
  ASSERT_TRUE(WriteFile(source, shorter));
  ASSERT_TRUE(CompressFile(source).ok());
  const QByteArray stream = ReadFile(source + ".QZ");
  EXPECT_LT(stream.size(), 2000);
  EXPECT_EQ(testsupport::ZlibUncompress(stream, shorter.size()), shorter);

  ASSERT_TRUE(WriteFile(path("out.txt"), MixedBytes(500000)));
  ASSERT_EQ(::chmod(QFile::encodeName(path("out.txt")).constData(), 0640), 0);
  ASSERT_TRUE(UncompressFile(source + ".QZ", path("out.txt")).ok());
  EXPECT_EQ(ReadFile(path("out.txt")), shorter);
  struct stat replaced {};
  ASSERT_EQ(::stat(QFile::encodeName(path("out.txt")).constData(), &replaced), 0);
  EXPECT_EQ(replaced.st_mode & 0777, 0640u);  // the replaced file's permissions stay
  EXPECT_EQ(FilesIn(dir.path()), QStringList({"notes.txt", "notes.txt.QZ", "out.txt"}));
}

TEST_F(GulpwellZlibFunctions, AnOutputLeftHalfWrittenByAGulpwellThatDiedIsRemoved) {
  const QString stale = QString::fromStdString(platform::hiddenfiles::Name("gulpwell", 7));
  ASSERT_TRUE(WriteFile(path(stale), "half"));
  ASSERT_TRUE(WriteFile(path("notes.txt"), "notes"));
  ASSERT_TRUE(CompressFile(path("notes.txt")).ok());
  EXPECT_EQ(FilesIn(dir.path()), QStringList({"notes.txt", "notes.txt.QZ"}));
}

TEST_F(GulpwellZlibFunctions, AStreamZlibRefusesIsDamagedWhateverInflatesIt) {
  ASSERT_TRUE(WriteFile(path("incomplete.QZ"), testsupport::IncompleteCodeSetStream()));
  const Outcome outcome = UncompressFile(path("incomplete.QZ"), path("out.bin"));
  EXPECT_EQ(outcome.failure, Failure::StreamDamaged);
  EXPECT_EQ(outcome.reason, "invalid literal/lengths set");
  EXPECT_EQ(FilesIn(dir.path()), QStringList{"incomplete.QZ"});
}

TEST_F(GulpwellZlibFunctions, FailuresNameTheirCauseAndLeaveNoOutputBehind) {
  const QByteArray earlier = "an earlier file that must survive";
  ASSERT_TRUE(WriteFile(path("keep.bin"), earlier));
  ASSERT_TRUE(WriteFile(path("empty"), {}));
  ASSERT_TRUE(WriteFile(path("plain.txt"), "this is no zlib stream"));
  const QByteArray stream = testsupport::ZlibCompress(MixedBytes(400000));
  ASSERT_TRUE(WriteFile(path("cut.QZ"), stream.left(stream.size() - 100)));
  QByteArray damaged = stream;
  damaged[damaged.size() / 2] = static_cast<char>(damaged[damaged.size() / 2] ^ 0x55);
  ASSERT_TRUE(WriteFile(path("damaged.QZ"), damaged));
  const QStringList before = FilesIn(dir.path());

  Outcome outcome = CompressFile(path("missing"));
  EXPECT_EQ(outcome.failure, Failure::SourceUnreadable);
  EXPECT_FALSE(outcome.reason.isEmpty());
  EXPECT_EQ(UncompressFile(path("missing"), path("keep.bin")).failure, Failure::SourceUnreadable);
  EXPECT_EQ(CompressFile(path("empty")).failure, Failure::SourceEmpty);
  EXPECT_EQ(UncompressFile(path("empty"), path("keep.bin")).failure, Failure::SourceEmpty);
  EXPECT_EQ(CheckSource(path("empty")).failure, Failure::SourceEmpty);
  EXPECT_EQ(CheckSource(dir.path()).failure, Failure::SourceUnreadable);

  outcome = UncompressFile(path("plain.txt"), path("keep.bin"));
  EXPECT_EQ(outcome.failure, Failure::StreamDamaged);
  EXPECT_EQ(outcome.reason, "incorrect header check");
  EXPECT_EQ(UncompressFile(path("cut.QZ"), path("keep.bin")).failure, Failure::StreamDamaged);
  EXPECT_EQ(UncompressFile(path("damaged.QZ"), path("keep.bin")).failure, Failure::StreamDamaged);
  EXPECT_EQ(UncompressFile(path("damaged.QZ"), path("new.bin")).failure, Failure::StreamDamaged);

  outcome = UncompressFile(path("plain.txt.QZ"), path("no/such/folder/x"));
  EXPECT_EQ(outcome.failure, Failure::SourceUnreadable);
  ASSERT_TRUE(CompressFile(path("plain.txt")).ok());
  outcome = UncompressFile(path("plain.txt.QZ"), path("no/such/folder/x"));
  EXPECT_EQ(outcome.failure, Failure::OutputUnwritable);
  EXPECT_FALSE(outcome.reason.isEmpty());
  ASSERT_TRUE(QDir(dir.path()).mkdir("keep.bin.QZ"));
  EXPECT_EQ(CompressFile(path("keep.bin")).failure, Failure::OutputUnwritable);
  EXPECT_EQ(UncompressFile(path("plain.txt.QZ"), dir.path()).failure, Failure::OutputUnwritable);

  EXPECT_EQ(ReadFile(path("keep.bin")), earlier);
  QStringList expected = before;
  expected << "keep.bin.QZ"
           << "plain.txt.QZ";
  expected.sort();
  EXPECT_EQ(FilesIn(dir.path()), expected);
  EXPECT_TRUE(FilesIn(path("keep.bin.QZ")).isEmpty());
}

TEST_F(GulpwellZlibFunctions, NoOutputIsWrittenThroughALinkOrOverItsOwnSource) {
  QTemporaryDir elsewhere;
  const QByteArray precious = "a file elsewhere that a link points at";
  ASSERT_TRUE(WriteFile(elsewhere.filePath("precious"), precious));
  ASSERT_TRUE(WriteFile(path("report.txt"), SampleText(5000, 2)));
  ASSERT_TRUE(QFile::link(elsewhere.filePath("precious"), path("report.txt.QZ")));
  ASSERT_TRUE(QFile::link(elsewhere.filePath("precious"), path("typed.txt")));

  ASSERT_TRUE(CompressFile(path("report.txt")).ok());
  ASSERT_TRUE(UncompressFile(path("report.txt.QZ"), path("typed.txt")).ok());
  EXPECT_EQ(ReadFile(elsewhere.filePath("precious")), precious);
  EXPECT_FALSE(QFileInfo(path("report.txt.QZ")).isSymLink());
  EXPECT_FALSE(QFileInfo(path("typed.txt")).isSymLink());
  EXPECT_EQ(ReadFile(path("typed.txt")), SampleText(5000, 2));

  const QByteArray stream = ReadFile(path("report.txt.QZ"));
  EXPECT_EQ(UncompressFile(path("report.txt.QZ"), path("report.txt.QZ")).failure, Failure::OutputIsSource);
  EXPECT_EQ(ReadFile(path("report.txt.QZ")), stream);

  ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe")).constData(), 0600), 0);
  const Outcome pipe = CompressFile(path("pipe"));
  EXPECT_EQ(pipe.failure, Failure::SourceUnreadable);
  EXPECT_EQ(pipe.reason, "it is a pipe, not a file");
  EXPECT_EQ(FilesIn(dir.path()),
            (QStringList{"report.txt", "report.txt.QZ", "typed.txt"}));  // no hidden file left
}

TEST_F(GulpwellZlibFunctions, AFullDiskIsToldWithTheSystemsReasonAndLeavesNothing) {
  const testsupport::Mounted full(path("full"), "size=64k", 0);
  if (!full.ok()) GTEST_SKIP() << "no tmpfs can be mounted here";
  ASSERT_TRUE(WriteFile(path("noise.bin"), MixedBytes(1 << 20)));
  ASSERT_TRUE(CompressFile(path("noise.bin")).ok());

  const Outcome outcome = UncompressFile(path("noise.bin.QZ"), path("full/noise.bin"));
  EXPECT_EQ(outcome.failure, Failure::OutputUnwritable);
  EXPECT_EQ(outcome.reason, "No space left on device");
  EXPECT_TRUE(FilesIn(path("full")).isEmpty());
}

}  // namespace
