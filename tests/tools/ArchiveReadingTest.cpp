// How skarrow2-dat takes an archive: only a regular file; its directory read
// record by record, or, where a command needs it whole and it does not fit in
// memory, refused, never an abort.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "tests/tools/ToolFixture.h"

using namespace testsupport;

namespace {

class ToolsArchiveReading : public ::testing::Test {
 protected:
  QString path(const QString& relative) const { return scratch.path(relative); }
  QByteArray shown(const QString& relative) const { return QFile::encodeName(path(relative)); }
  ToolFolder scratch;
};

// A pipe is not waited on, whether named itself or through a link.
TEST_F(ToolsArchiveReading, APipeOrAFolderIsRefusedAtOnceEvenThroughALink) {
  ASSERT_EQ(::mkfifo(shown("pipe.dat").constData(), 0600), 0);
  ASSERT_TRUE(QFile::link(path("pipe.dat"), path("link.dat")));
  ASSERT_TRUE(QDir().mkpath(path("folder.dat")));
  const QList<std::pair<QString, QByteArray>> cases = {{"pipe.dat", "it is a pipe, not a file"},
                                                       {"link.dat", "it is a pipe, not a file"},
                                                       {"folder.dat", "it is a folder, not a file"}};
  for (const auto& [name, reason] : cases) {
    const Ran refused = RunTool({"list", path(name)});
    EXPECT_EQ(refused.status, 2) << name.toStdString();
    EXPECT_EQ(refused.err, "skarrow2-dat: " + shown(name) + ": cannot open it: " + reason + "\n");
  }
}

TEST_F(ToolsArchiveReading, AnArchiveIsReadThroughALinkToIt) {
  ASSERT_TRUE(DatWriter().add("A\\B.TXT", "b").writeTo(path("a.dat")));
  ASSERT_TRUE(QFile::link(path("a.dat"), path("link.dat")));
  const Ran listed = RunTool({"list", path("link.dat")});
  EXPECT_EQ(listed.status, 0);
  EXPECT_EQ(listed.out, "A\\B.TXT\n");
}

// Every record is checked before the first is listed.
TEST_F(ToolsArchiveReading, ARecordOutsideTheDirectoryRefusesTheArchiveBeforeAnythingIsListed) {
  FixtureEntry broken{"B", "b"};
  broken.filenameSize = 1000;
  ASSERT_TRUE(DatWriter().add("A", "a").add(broken).writeTo(path("a.dat")));
  const Ran list = RunTool({"list", path("a.dat")});
  EXPECT_EQ(list.status, 2);
  EXPECT_EQ(list.out, "");
  EXPECT_EQ(list.err, "skarrow2-dat: " + shown("a.dat") +
                          ": its directory cannot be read: record 2 runs past the end of the directory\n");
}

// add and delete read the directory whole before they write.
TEST_F(ToolsArchiveReading, ARecordOutsideTheDirectoryRefusesAddAndDeleteBeforeAnythingIsWritten) {
  FixtureEntry broken{"B", "b"};
  broken.filenameSize = 1000;
  ASSERT_TRUE(DatWriter().add("A", "a").add(broken).writeTo(path("a.dat")));
  const QByteArray before = ReadFile(path("a.dat"));
  WriteTree(path("new"), {{"C", "c"}});
  for (const QStringList& command :
       {QStringList{"delete", path("a.dat"), "A"}, {"add", path("a.dat"), path("new/C")}}) {
    const Ran ran = RunTool(command);
    EXPECT_EQ(ran.status, 2) << command[0].toStdString();
    EXPECT_EQ(ran.err, "skarrow2-dat: " + shown("a.dat") +
                           ": its directory cannot be read: record 2 runs past the end of the directory\n");
  }
  EXPECT_EQ(ReadFile(path("a.dat")), before);
  EXPECT_EQ(QDir(path("")).entryList(QDir::Files | QDir::Hidden), QStringList{"a.dat"});
}

// Folders without letter case, as the scan files them.
TEST_F(ToolsArchiveReading, InfoCountsWhatTheRecordsHold) {
  DatWriter writer;
  writer.add("ART\\A.FRM", SampleText(500, 1), true).add("art\\B.FRM", "bb").add("TEXT\\C", "c").add("TOP", "t");
  ASSERT_TRUE(writer.writeTo(path("a.dat")));
  const Ran info = RunTool({"info", path("a.dat")});
  EXPECT_EQ(info.status, 0);
  const qint64 packed = ZlibCompress(SampleText(500, 1)).size() + 4;
  EXPECT_TRUE(info.out.endsWith(QStringLiteral("FilesTotal:      4\n"
                                               "Folders:         3\n"
                                               "Packed bytes:    %1\n"
                                               "Unpacked bytes:  504\n"
                                               "Compressed:      1\n"
                                               "Stored:          3\n")
                                    .arg(packed)
                                    .toLatin1()))
      << info.out.constData();
}

// Four million records of empty names (a sparse file of 68 MB) need some 400
// MB as folders, more than the 192 MiB allowed: info and list read them one at
// a time, cat too; test and extract, which need the folders, refuse the archive.
TEST_F(ToolsArchiveReading, ADirectoryBeyondTheMemoryLimitIsReadRecordByRecordOrRefused) {
#ifdef __SANITIZE_ADDRESS__
  GTEST_SKIP() << "the sanitizer maps address space of its own";
#endif
  constexpr int32_t Records = 4'000'000;
  constexpr qint64 Limit = qint64{192} << 20;
  ASSERT_TRUE(WriteDirectoryClaim(path("many.dat"), 12 + 17 * Records, Records));
  const Ran info = RunTool({"info", path("many.dat")}, AddressSpaceLimit(Limit));
  EXPECT_EQ(info.status, 0);
  EXPECT_TRUE(info.out.contains("FilesTotal:      4000000\nFolders:         1\n")) << info.out.constData();
  const Ran list = RunTool({"list", path("many.dat"), "NONE"}, AddressSpaceLimit(Limit));
  EXPECT_EQ(list.status, 1);
  EXPECT_EQ(list.err, "skarrow2-dat: NONE: no entry matches\n");
  EXPECT_EQ(RunTool({"cat", path("many.dat"), "NONE"}, AddressSpaceLimit(Limit)).err,
            "skarrow2-dat: NONE: no entry matches\n");
  const QByteArray refusal = "skarrow2-dat: " + shown("many.dat") +
                             ": there is not enough memory for its directory\n";
  for (const QStringList& command : {QStringList{"test", "-q", path("many.dat")},
                                     QStringList{"extract", path("many.dat"), "-C", path("out")}}) {
    const Ran refused = RunTool(command, AddressSpaceLimit(Limit));
    EXPECT_EQ(refused.status, 2) << command[0].toStdString();
    EXPECT_EQ(refused.err, refusal);
  }
}

}  // namespace
