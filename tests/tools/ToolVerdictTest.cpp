// skarrow2-dat on entries that are not quite what the directory says, and on
// an entry that would take the archive's own place.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "tests/tools/ToolFixture.h"

using namespace testsupport;

namespace {

class ToolsVerdicts : public ::testing::Test {
 protected:
  QString path(const QString& relative) const { return scratch.path(relative); }
  ToolFolder scratch;
};

TEST_F(ToolsVerdicts, TestTellsBytesAfterAStreamAsANoteNotAsDamage) {
  const QByteArray text = SampleText(4000, 1);
  FixtureEntry trailing{"TEXT\\TRAILING.TXT", text, true};
  trailing.body = ZlibCompress(text) + "12345";
  ASSERT_TRUE(DatWriter().add(trailing).add("PLAIN.TXT", text, true).writeTo(path("a.dat")));

  const Ran told = RunTool({"test", path("a.dat")});
  EXPECT_EQ(told.status, 0);
  const QByteArray archive = QFile::encodeName(path("a.dat"));
  EXPECT_EQ(told.out, archive + ": TEXT\\TRAILING.TXT: note: 5 bytes after the end of its zlib stream\n" +
                          archive + ": all 2 entries are intact\n");
  EXPECT_EQ(told.err, "");

  const Ran json = RunTool({"test", "--json", path("a.dat")});
  EXPECT_EQ(json.status, 0);
  const QJsonObject result = QJsonDocument::fromJson(json.out).object();
  EXPECT_EQ(result.keys(), (QStringList{"archive", "damaged", "format", "intact", "notes", "stopped", "total"}));
  EXPECT_EQ(result["intact"].toInt(), 2);
  EXPECT_EQ(result["damaged"].toArray(), QJsonArray{});
  EXPECT_EQ(result["notes"].toArray(),
            (QJsonArray{QJsonObject{{"name", "TEXT\\TRAILING.TXT"},
                                    {"note", "5 bytes after the end of its zlib stream"}}}));
}

// Read at once, RealSize bytes of the body are copied: they lie inside it.
TEST_F(ToolsVerdicts, AStoredEntryShorterThanItsBodyIsIntact) {
  FixtureEntry shorter{"SHORTER.BIN", "0123456789"};
  shorter.realSize = 4;
  ASSERT_TRUE(DatWriter().add(shorter).writeTo(path("a.dat")));
  const Ran told = RunTool({"test", path("a.dat")});
  EXPECT_EQ(told.status, 0);
  EXPECT_TRUE(told.out.contains(": its 1 entry is intact"));
  ASSERT_TRUE(QDir().mkpath(path("out")));
  EXPECT_EQ(RunTool({"extract", "-q", path("a.dat"), "-C", path("out")}).status, 0);
  EXPECT_EQ(ReadFile(path("out/SHORTER.BIN")), "0123");
}

TEST_F(ToolsVerdicts, ExtractIntoTheArchivesFolderNeverReplacesTheArchive) {
  ASSERT_TRUE(DatWriter()
                  .add("a.dat", "an entry named like its archive")
                  .add("OTHER.TXT", "other")
                  .writeTo(path("a.dat")));
  const QByteArray archive = ReadFile(path("a.dat"));
  const Ran extracted = RunTool({"extract", "-q", path("a.dat"), "-C", scratch.dir.path()});
  EXPECT_EQ(extracted.status, 1);
  EXPECT_TRUE(extracted.err.contains(": a.dat: it would replace the archive being read"))
      << extracted.err.constData();
  EXPECT_EQ(ReadFile(path("a.dat")), archive);
  EXPECT_EQ(ReadFile(path("OTHER.TXT")), "other");
}

}  // namespace
