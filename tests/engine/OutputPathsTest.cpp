#include <gtest/gtest.h>

#include <QFile>

#include "engine/extract/ExtractEntry.h"
#include "engine/extract/ExtractErrors.h"
#include "engine/extract/FileDecompressor.h"
#include "engine/extract/OutputPaths.h"
#include "tests/engine/ExtractFixture.h"
#include "tests/support/DatWriter.h"
#include "tests/widgets/QtPrinters.h"

using namespace engine;
using namespace testsupport;

namespace {

using Layout = ExtractDestination::Layout;

ExtractResult extract(const OpenArchive& archive, std::size_t index, ExtractDestination& destination) {
  std::unique_ptr<FileDecompressor> decompressor;
  EntryObserver quiet;
  return ExtractEntry(archive.entries.at(index), *archive.source, decompressor, destination, quiet);
}

QList<ExtractOutcome> extractAll(const OpenArchive& archive, ExtractDestination& destination) {
  QList<ExtractOutcome> outcomes;
  for (std::size_t i = 0; i < archive.entries.size(); ++i) outcomes << extract(archive, i, destination).outcome;
  return outcomes;
}

TEST(EngineExtractPaths, UnsafeNamesAreRecognised) {
  for (const QByteArray& safe :
       {QByteArray("A.DAT"), QByteArray("text\\english\\game\\MAPTEXT.MSG"), QByteArray("a..b"), QByteArray("..."),
        QByteArray(".hidden"), QByteArray("C"), QByteArray("1:2"), QByteArray("caf\xE9.txt")})
    EXPECT_EQ(UnsafeNameReason(safe), "") << safe.constData();
  const QByteArray unsafe[] = {"",   "\\A.DAT",   "A\\",          "A\\\\B",      ".",
                               "..", "..\\A.DAT", "A\\..\\..\\B", "A\\.\\B",     "C:\\A.DAT",
                               "C:", "A\\d:evil", "A/B",          "/etc/passwd", QByteArray("A\0B", 3)};
  for (const QByteArray& name : unsafe) EXPECT_NE(UnsafeNameReason(name), "") << name.constData();
  EXPECT_EQ(UnsafeNameReason("A\\..\\B"), "its name holds the folder \"..\"");
  EXPECT_EQ(UnsafeNameReason("C:\\B"), "its name holds the drive \"C:\"");
  EXPECT_EQ(UnsafeNameReason("A/B"), "its name holds a \"/\"");
}

TEST(EngineExtractPaths, HostileNamesNeverEscapeTheDestination) {
  DatWriter writer;
  for (const QByteArray& name :
       {QByteArray("..\\evil1"), QByteArray("A\\..\\..\\evil2"), QByteArray("..\\..\\..\\..\\..\\..\\tmp\\evil3"),
        QByteArray("A/../../evil4"), QByteArray("/tmp/evil5"), QByteArray("C:\\evil6"), QByteArray("\\evil7"),
        QByteArray("A\\\\evil8"), QByteArray("A\\.\\evil9"), QByteArray("evil\0x", 6), QByteArray("..")})
    writer.add(name, "payload");
  writer.add("A\\fine.txt", "fine");
  for (const Layout layout : {Layout::Tree, Layout::Flat}) {
    OpenArchive archive(writer);
    ExtractDestination destination(archive.dest(), {}, layout);
    QList<ExtractOutcome> expected(11, ExtractOutcome::Skipped);
    expected << ExtractOutcome::Extracted;
    EXPECT_EQ(extractAll(archive, destination), expected);
    EXPECT_EQ(OpenArchive::contentsOf(archive.dir.path()),
              (QStringList{"archive.dat", "dest"} + (layout == Layout::Tree
                                                         ? QStringList{"dest/A", "dest/A/fine.txt"}
                                                         : QStringList{"dest/fine.txt"})));
    EXPECT_FALSE(QFile::exists("/tmp/evil3"));
    EXPECT_FALSE(QFile::exists("/tmp/evil5"));
  }
}

TEST(EngineExtractPaths, NoLinkIsFollowedAndALinkUnderAFileNameIsReplaced) {
  QTemporaryDir outside;
  WriteFile(outside.filePath("target.txt"), "outside file");
  OpenArchive archive(DatWriter()
                          .add("LINK\\x.txt", "through the link")
                          .add("ALIAS\\y.txt", "through the inner link")
                          .add("victim.txt", "replaces the link"));
  QDir(archive.dest()).mkdir("real");
  QFile::link(outside.path(), archive.dest("link"));
  QFile::link(archive.dest("real"), archive.dest("alias"));
  QFile::link(outside.filePath("target.txt"), archive.dest("victim.txt"));

  ExtractDestination destination(archive.dest(), {}, Layout::Tree);
  const ExtractResult escaped = extract(archive, 0, destination);
  EXPECT_EQ(escaped.outcome, ExtractOutcome::Skipped);
  EXPECT_EQ(escaped.reason, archive.dest("link") + " is a symbolic link, which is never followed");
  EXPECT_EQ(extract(archive, 1, destination).outcome, ExtractOutcome::Skipped);
  EXPECT_EQ(extract(archive, 2, destination).outcome, ExtractOutcome::Extracted);

  EXPECT_EQ(OpenArchive::contentsOf(outside.path()), QStringList{"target.txt"});
  EXPECT_EQ(ReadFile(outside.filePath("target.txt")), "outside file");
  EXPECT_EQ(OpenArchive::contentsOf(archive.dest("real")), QStringList{});
  EXPECT_FALSE(QFileInfo(archive.dest("victim.txt")).isSymLink());
  EXPECT_EQ(ReadFile(archive.dest("victim.txt")), "replaces the link");
}

TEST(EngineExtractPaths, FolderLevelsTakeTheFirstSpellingAndAnyDepth) {
  OpenArchive archive(DatWriter()
                          .add("ART\\SUB\\a.txt", "a")
                          .add("Art\\sub\\b.txt", "b")
                          .add("art\\Sub\\deeper\\than\\three\\levels\\c.txt", "c")
                          .add("ART\\SUB\\DEEPER\\d.txt", "d")
                          .add("top.txt", "top")
                          .add("CAF\xC9\\\xE9t\xE9.txt", "latin-1")
                          .add("caf\xE9\\other.txt", "same folder"));
  ExtractDestination destination(archive.dest(), {}, Layout::Tree);
  EXPECT_EQ(extractAll(archive, destination), QList<ExtractOutcome>(7, ExtractOutcome::Extracted));
  EXPECT_EQ(archive.destContents(),
            (QStringList{"ART", "ART/SUB", "ART/SUB/a.txt", "ART/SUB/b.txt", "ART/SUB/deeper",
                         "ART/SUB/deeper/d.txt", "ART/SUB/deeper/than", "ART/SUB/deeper/than/three",
                         "ART/SUB/deeper/than/three/levels", "ART/SUB/deeper/than/three/levels/c.txt",
                         QString::fromUtf8("CAFÉ"), QString::fromUtf8("CAFÉ/other.txt"),
                         QString::fromUtf8("CAFÉ/été.txt"), "top.txt"}));
}

TEST(EngineExtractPaths, FoldersOfAnEarlierRunAreReusedWhateverTheirCase) {
  OpenArchive archive(DatWriter().add("ART\\SUB\\a.txt", "new a"));
  QDir(archive.dest()).mkpath("archive.dat/art/Sub");
  WriteFile(archive.dest("archive.dat/art/Sub/a.txt"), "old and longer a");
  ExtractDestination destination(archive.dest(), "archive.dat", Layout::Tree);
  EXPECT_EQ(extractAll(archive, destination), QList<ExtractOutcome>{ExtractOutcome::Extracted});
  EXPECT_EQ(archive.destContents(),
            (QStringList{"archive.dat", "archive.dat/art", "archive.dat/art/Sub", "archive.dat/art/Sub/a.txt"}));
  EXPECT_EQ(ReadFile(archive.dest("archive.dat/art/Sub/a.txt")), "new a");
}

TEST(EngineExtractPaths, TreeFoldersCanBeMadeBeforeTheirEntries) {
  QTemporaryDir dir;
  ExtractDestination destination(dir.path(), "archive.dat", Layout::Tree);
  const QString root = dir.filePath("archive.dat");
  EXPECT_EQ(destination.FolderOf("\\").shown, root);
  EXPECT_EQ(destination.FolderOf("text\\english\\game\\").shown, root + "/text/english/game");
  EXPECT_EQ(destination.FolderOf("TEXT\\English").shown, root + "/text/english");
  EXPECT_THROW(destination.FolderOf("text\\..\\..\\"), EntryDataError);
  EXPECT_THROW(destination.FolderOf("C:\\"), EntryDataError);
  EXPECT_EQ(OpenArchive::contentsOf(dir.path()),
            (QStringList{"archive.dat", "archive.dat/text", "archive.dat/text/english",
                         "archive.dat/text/english/game"}));
}

TEST(EngineExtractPaths, ARootThatCannotBeMadeIsAWriteFailure) {
  OpenArchive archive(DatWriter().add("a.txt", "a"));
  ExtractDestination destination(archive.dest("missing"), "archive.dat", Layout::Tree);
  const ExtractResult result = extract(archive, 0, destination);
  EXPECT_EQ(result.outcome, ExtractOutcome::WriteFailed);
  EXPECT_EQ(result.file, archive.dest("missing"));
  EXPECT_EQ(result.reason, "No such file or directory");
}

// Only some folders stay open at a time; one let go and replaced meanwhile
// (moved away, another made under its name) is never entered again.
TEST(EngineExtractPaths, AFolderLetGoAndReplacedMeanwhileIsNotEnteredAgain) {
  QTemporaryDir dir;
  ExtractDestination destination(dir.path(), "archive.dat", Layout::Tree);
  const QString first = destination.FolderOf("FIRST\\").shown;
  for (int n = 0; n < 100; ++n) destination.FolderOf("OTHER" + QByteArray::number(n) + '\\');
  ASSERT_TRUE(QDir().rename(first, dir.filePath("moved")));
  ASSERT_TRUE(QDir().mkdir(first));
  try {
    destination.FolderOf("FIRST\\");
    FAIL() << "a replaced folder was entered";
  } catch (const EntryDataError& error) {
    EXPECT_EQ(error.reason(), first + " was replaced while the extraction ran");
  }
}

}  // namespace
