// skarrow2-dat run as a program: its exit statuses and standard output.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <csignal>
#include <cstdlib>
#include <filesystem>

#include "tests/tools/ToolFixture.h"

using namespace testsupport;

namespace {

Ran run(const QStringList& arguments, const std::function<void(QProcess&)>& prepare = {}) {
  return RunTool(arguments, prepare);
}

// A shell script in the folder, with the tool as $0: for arguments that are
// not text, which QProcess cannot pass.
Ran runScript(const QString& folder, const QString& script) {
  QProcess shell;
  shell.setWorkingDirectory(folder);
  shell.start(QStringLiteral("/bin/sh"), {"-c", script, QStringLiteral(SKARROW2_DAT)});
  return Finished(shell);
}

class ToolsProcess : public ::testing::Test {
 protected:
  void SetUp() override {
    DatWriter writer;
    writer.add("TEXT\\HELLO.TXT", "hello", true).add("ART\\X.FRM", SampleText(3000, 1), true);
    writer.writeTo(scratch.path("good.dat"));
    FixtureEntry damaged{"TEXT\\BAD.TXT", SampleText(3000, 2), true};
    damaged.realSize = 2999;
    writer.add(damaged).writeTo(scratch.path("damaged %2.dat"));
    WriteFile(scratch.path("text.dat"), "not an archive at all");
  }
  QString path(const QString& relative) const { return scratch.path(relative); }
  ToolFolder scratch;
};

TEST_F(ToolsProcess, UsageErrorsAndRefusedArchivesEndWithStatus2) {
  EXPECT_EQ(run({}).status, 2);
  EXPECT_EQ(run({"unpack", path("good.dat")}).status, 2);
  EXPECT_EQ(run({"test", "-j", "0", path("good.dat")}).status, 2);
  EXPECT_EQ(run({"list"}).status, 2);
  const Ran refused = run({"list", path("text.dat")});
  EXPECT_EQ(refused.status, 2);
  EXPECT_TRUE(refused.err.contains(QFile::encodeName(path("text.dat")) + ": not a Skarrow 2 DAT archive"));
}

TEST_F(ToolsProcess, TestEndsWith1ForADamagedEntryAndNamesIt) {
  EXPECT_EQ(run({"test", "-q", path("good.dat")}).status, 0);
  const Ran damaged = run({"test", "-j", "2", path("damaged %2.dat")});
  EXPECT_EQ(damaged.status, 1);
  EXPECT_TRUE(damaged.err.contains("TEXT\\BAD.TXT: the compressed data inflate to more than 2999 bytes"));
  // A "%2" in the path is not taken for a place of the line's numbers.
  EXPECT_TRUE(damaged.out.contains(QFile::encodeName(path("damaged %2.dat")) + ": 1 of 3 entries is damaged"));
}

TEST_F(ToolsProcess, TestWritesItsResultAsJson) {
  const Ran damaged = run({"test", "--json", path("damaged %2.dat")});
  EXPECT_EQ(damaged.status, 1);
  const QJsonObject result = QJsonDocument::fromJson(damaged.out).object();
  EXPECT_EQ(result["total"].toInt(), 3);
  EXPECT_EQ(result["intact"].toInt(), 2);
  const QJsonArray list = result["damaged"].toArray();
  ASSERT_EQ(list.size(), 1);
  EXPECT_EQ(list[0].toObject()["name"].toString(), "TEXT\\BAD.TXT");
}

TEST_F(ToolsProcess, InfoListAndTestWriteOneJsonShape) {
  for (const QString command : {"info", "list", "test"}) {
    const QJsonObject result = QJsonDocument::fromJson(run({command, "--json", path("good.dat")}).out).object();
    EXPECT_EQ(result["format"], 1) << command.toStdString();
    EXPECT_EQ(result["archive"], path("good.dat")) << command.toStdString();
  }
  const QJsonObject info = QJsonDocument::fromJson(run({"info", "--json", path("good.dat")}).out).object();
  EXPECT_EQ(info["filesTotal"], 2);
  EXPECT_EQ(info["unpackedBytes"], 3005);
  const QJsonArray entries =
      QJsonDocument::fromJson(run({"list", "--json", path("good.dat")}).out)["entries"].toArray();
  ASSERT_EQ(entries.size(), 2);
  EXPECT_EQ(entries[1]["name"], "ART\\X.FRM");
}

TEST_F(ToolsProcess, OffsetsAreShownInHexadecimalWithAnH) {
  const QJsonObject info = QJsonDocument::fromJson(run({"info", "--json", path("good.dat")}).out).object();
  const QByteArray address = QByteArray::number(info["dirTreeAddr"].toInteger(), 16).toUpper();
  EXPECT_TRUE(run({"info", path("good.dat")}).out.contains("DirTreeAddr:     " + address + "h\n"));
  const QJsonArray entries =
      QJsonDocument::fromJson(run({"list", "--json", path("good.dat")}).out)["entries"].toArray();
  const QByteArray offset = QByteArray::number(entries[1]["offset"].toInteger(), 16).toUpper();
  EXPECT_TRUE(run({"list", "--long", path("good.dat")}).out.contains(" " + offset + "h  ART\\X.FRM\n"));
}

TEST_F(ToolsProcess, ARefusedArchiveIsJsonWithItsErrorAndStatus2) {
  for (const QString command : {"info", "list", "test"}) {
    const Ran refused = run({command, "--json", path("text.dat")});
    EXPECT_EQ(refused.status, 2) << command.toStdString();
    const QJsonObject result = QJsonDocument::fromJson(refused.out).object();
    EXPECT_EQ(result.keys(), (QStringList{"error", "format"})) << refused.out.constData();
    EXPECT_EQ(result["format"], 1);
    EXPECT_TRUE(result["error"].toString().startsWith(path("text.dat") + ": not a Skarrow 2 DAT archive"));
  }
}

TEST_F(ToolsProcess, ExtractWritesOnlyTheMatchingEntriesAndAMissingFolderEndsWithStatus1) {
  QDir().mkpath(path("out %1"));
  const Ran matching = run({"extract", path("good.dat"), "*.txt", "-C", path("out %1")});
  EXPECT_EQ(matching.status, 0);
  EXPECT_EQ(ReadTree(path("out %1")), (Tree{{"TEXT/HELLO.TXT", "hello"}}));
  EXPECT_TRUE(matching.out.contains(": 1 entry extracted to " + QFile::encodeName(path("out %1"))));
  const Ran missing = run({"extract", path("good.dat"), "-C", path("nowhere/deeper")});
  EXPECT_EQ(missing.status, 1);
  EXPECT_TRUE(missing.err.contains("could not write"));
}

TEST_F(ToolsProcess, ExtractMakesAMissingDirectoryWhoseParentExists) {
  EXPECT_EQ(run({"extract", "-q", path("good.dat"), "*.txt", "-C", path("made")}).status, 0);
  EXPECT_EQ(ReadTree(path("made")), (Tree{{"TEXT/HELLO.TXT", "hello"}}));
}

TEST_F(ToolsProcess, ExtractLeavesOutTheExcludedEntries) {
  const Ran ran = run(
      {"extract", "-q", path("good.dat"), "--exclude", "*.frm", "--exclude", "nomatch", "-C", path(".")});
  EXPECT_EQ(ran.status, 0);
  EXPECT_EQ(ReadTree(path("TEXT")), (Tree{{"HELLO.TXT", "hello"}}));
  EXPECT_FALSE(QFileInfo::exists(path("ART")));
}

TEST_F(ToolsProcess, ExtractFlatWritesNoFolders) {
  EXPECT_EQ(run({"extract", "-q", "--flat", path("good.dat"), "-C", path("flat")}).status, 0);
  EXPECT_EQ(ReadTree(path("flat")), (Tree{{"HELLO.TXT", "hello"}, {"X.FRM", SampleText(3000, 1)}}));
}

TEST_F(ToolsProcess, ExtractVerbosePrintsEachFileWritten) {
  const Ran ran = run({"extract", "-q", "-v", path("good.dat"), "-C", path("v")});
  EXPECT_EQ(ran.out, QFile::encodeName(path("v/TEXT/HELLO.TXT") + '\n' + path("v/ART/X.FRM") + '\n'));
}

// A file of the user's, or a link planted under an entry's name, is kept
// and told; with two workers as with one.
TEST_F(ToolsProcess, ExtractKeepOldFilesKeepsWhatStandsThereAndEndsWith0) {
  for (const QString jobs : {"1", "2"}) {
    const QString out = path("k" + jobs);
    ASSERT_TRUE(QDir().mkpath(out + "/TEXT") && QDir().mkpath(out + "/ART"));
    ASSERT_TRUE(WriteFile(out + "/TEXT/HELLO.TXT", "mine"));
    ASSERT_TRUE(QFile::link(path("target"), out + "/ART/X.FRM"));
    const Ran ran = run({"extract", "-k", "-j", jobs, path("good.dat"), "-C", out});
    EXPECT_EQ(ran.status, 0) << ran.err.constData();
    EXPECT_TRUE(ran.err.contains("TEXT\\HELLO.TXT: kept")) << ran.err.constData();
    EXPECT_TRUE(ran.out.contains("0 entries extracted to " + QFile::encodeName(out) + ", 2 kept"));
    EXPECT_EQ(ReadFile(out + "/TEXT/HELLO.TXT"), "mine");
    EXPECT_FALSE(QFileInfo::exists(path("target")));
  }
}

// Through a pipe, with a body that compresses no smaller and is larger than
// what is held in memory: the stream takes back nothing it was given.
TEST_F(ToolsProcess, CreateAndAddToStandardOutputWriteWhatTheyWriteToAFile) {
  QByteArray noise(5 << 20, Qt::Uninitialized);
  quint32 state = 2463534242U;  // xorshift: no compressor makes it smaller
  for (char& byte : noise) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    byte = static_cast<char>(state);
  }
  ASSERT_TRUE(QDir().mkpath(path("in/A")) && WriteFile(path("in/A/noise.bin"), noise) &&
              WriteFile(path("in/B.TXT"), SampleText(9000, 3)) && WriteFile(path("new.txt"), "new"));
  ASSERT_EQ(run({"create", "-q", path("file.dat"), path("in")}).status, 0);
  ASSERT_EQ(runScript(path("."), R"("$0" create -q - in | cat > piped.dat)").status, 0);
  EXPECT_EQ(ReadFile(path("piped.dat")), ReadFile(path("file.dat")));
  ASSERT_EQ(runScript(path("."), R"(cat file.dat | "$0" add -q - new.txt --as A > added.dat)").status, 0);
  ASSERT_EQ(run({"add", "-q", path("file.dat"), path("new.txt"), "--as", "A"}).status, 0);
  EXPECT_EQ(ReadFile(path("added.dat")), ReadFile(path("file.dat")));
}

TEST_F(ToolsProcess, AnArchiveIsNotWrittenToATerminal) {
  const Ran ran = run({"create", "-", path(".")}, [](QProcess& process) {
    process.setChildProcessModifier([] {
      const int terminal = ::posix_openpt(O_RDWR | O_NOCTTY);
      if (terminal >= 0 && ::grantpt(terminal) == 0 && ::unlockpt(terminal) == 0)
        ::dup2(::open(::ptsname(terminal), O_RDWR | O_NOCTTY), STDOUT_FILENO);
    });
  });
  EXPECT_EQ(ran.status, 2);
  EXPECT_TRUE(ran.err.contains("standard output: is a terminal")) << ran.err.constData();
}

TEST_F(ToolsProcess, ExtractLeavesNoEmptyFolderForASkippedEntry) {
  DatWriter().add("GOOD\\\\X.TXT", "x").add("TEXT\\A.TXT", "a").writeTo(path("unsafe.dat"));
  EXPECT_EQ(run({"extract", "-q", path("unsafe.dat"), "-C", path("u")}).status, 1);
  EXPECT_EQ(ReadTree(path("u")), (Tree{{"TEXT/A.TXT", "a"}}));
  EXPECT_FALSE(QFileInfo::exists(path("u/GOOD")));
}

TEST_F(ToolsProcess, CatWritesTheEntryOrNothingOfADamagedOne) {
  const Ran hello = run({"cat", path("good.dat"), "text/hello.txt"});
  EXPECT_EQ(hello.status, 0);
  EXPECT_EQ(hello.out, "hello");
  const Ran damaged = run({"cat", path("damaged %2.dat"), "TEXT/BAD.TXT"});
  EXPECT_EQ(damaged.status, 1);
  EXPECT_EQ(damaged.out, "");
  EXPECT_EQ(run({"cat", path("good.dat"), "NO\\SUCH"}).status, 1);
}

TEST_F(ToolsProcess, CatWritesEveryMatchingEntryInArchiveOrder) {
  const Ran both = run({"cat", path("good.dat"), "art/x.frm", "*.txt"});
  EXPECT_EQ(both.status, 0);
  EXPECT_EQ(both.out, "hello" + SampleText(3000, 1));
}

TEST_F(ToolsProcess, EveryPatternThatMatchesNothingIsNamedAndEndsWithStatus1) {
  for (const QString command : {"list", "cat", "extract"}) {
    const Ran ran = run({command, "-q", path("good.dat"), "*.txt", "nomatch*", "none"},
                        [&](QProcess& process) { process.setWorkingDirectory(path(".")); });
    EXPECT_EQ(ran.status, 1) << command.toStdString();
    EXPECT_TRUE(
        ran.err.contains("skarrow2-dat: nomatch*: no entry matches\nskarrow2-dat: none: no entry matches\n"))
        << command.toStdString() << ran.err.constData();
  }
  EXPECT_EQ(ReadTree(path("TEXT")), (Tree{{"HELLO.TXT", "hello"}}));
}

TEST_F(ToolsProcess, ListTakesGlobsWithEitherSeparatorAndWithoutLetterCase) {
  EXPECT_EQ(run({"list", path("good.dat"), "text/*.TXT"}).out, "TEXT\\HELLO.TXT\n");
  EXPECT_EQ(run({"list", path("good.dat"), "art"}).out, "ART\\X.FRM\n");
  EXPECT_EQ(run({"list", path("good.dat"), "*.frm", "*\\hello*"}).out, "TEXT\\HELLO.TXT\nART\\X.FRM\n");
  EXPECT_EQ(run({"list", path("good.dat"), "nothing*"}).status, 1);
}

TEST_F(ToolsProcess, CatFindsANameWithoutLatin1LetterCase) {
  DatWriter().add("TEXT\\caf\xe9.txt", "au lait").writeTo(path("cafe.dat"));  // Latin-1, as archives hold names
  const Ran cafe = run({"cat", path("cafe.dat"), QStringLiteral("text/CAF\u00c9.TXT")});
  EXPECT_EQ(cafe.status, 0);
  EXPECT_EQ(cafe.out, "au lait");
}

TEST_F(ToolsProcess, AFailedWriteOnStandardOutputIsToldAndEndsWithStatus1) {
  const auto toFull = [](QProcess& tool) { tool.setStandardOutputFile(QStringLiteral("/dev/full")); };
  for (const QStringList& command : {QStringList{"list"}, {"list", "--json"}, {"info"}, {"test", "--json"}}) {
    const Ran full = run(command + QStringList{path("good.dat")}, toFull);
    EXPECT_EQ(full.status, 1) << command.join(' ').toStdString();
    EXPECT_TRUE(full.err.contains("skarrow2-dat: standard output: No space left on device"))
        << full.err.constData();
  }
  const Ran closed = run({"list", path("good.dat")},
                         [](QProcess& tool) { tool.setChildProcessModifier([] { ::close(STDOUT_FILENO); }); });
  EXPECT_EQ(closed.status, 1);
  EXPECT_TRUE(closed.err.contains("standard output: Bad file descriptor")) << closed.err.constData();
  const Ran broken = run({"list", path("good.dat")}, [](QProcess& tool) {
    tool.setChildProcessModifier([] {
      int ends[2];
      if (::pipe(ends) != 0) ::_exit(9);
      ::close(ends[0]);
      ::dup2(ends[1], STDOUT_FILENO);
      ::signal(SIGPIPE, SIG_IGN);
    });
  });
  EXPECT_EQ(broken.status, 1);
  EXPECT_TRUE(broken.err.contains("standard output: Broken pipe")) << broken.err.constData();
}

// A name can drive a terminal or forge a line of its own; JSON keeps it exact.
TEST_F(ToolsProcess, NamesAreShownWithTheirControlCharactersEscaped) {
  const QByteArray hostile = "EVIL\x1b]0;owned\x07\nskarrow2-dat: all is well\x9b\x7f.TXT";
  FixtureEntry damaged{hostile, "x", true};
  damaged.realSize = 2;
  DatWriter().add(damaged).writeTo(path("hostile.dat"));
  const QByteArray shown = "EVIL\\x1b]0;owned\\x07\\nskarrow2-dat: all is well\\x9b\\x7f.TXT";
  EXPECT_EQ(run({"list", path("hostile.dat")}).out, shown + '\n');
  const Ran test = run({"test", path("hostile.dat")});
  EXPECT_TRUE(test.err.contains(": " + shown + ": ")) << test.err.constData();
  EXPECT_EQ(test.err.count('\n'), 1);
  const QJsonArray listed =
      QJsonDocument::fromJson(run({"list", "--json", path("hostile.dat")}).out)["entries"].toArray();
  ASSERT_EQ(listed.size(), 1);
  EXPECT_EQ(listed[0].toObject()["name"].toString(), QString::fromLatin1(hostile));
}

TEST_F(ToolsProcess, PathsThatAreNotUtf8AreTakenAsTheirBytes) {
  WriteTree(path("in"), {{"A.TXT", "a"}});
  const Ran made = runScript(scratch.dir.path(), QStringLiteral(R"(e=$(printf '\351'); mkdir "$e" &&
      "$0" create -q "$e.dat" in && "$0" extract -q "$e.dat" -C "$e" && "$0" list "$e.dat" none)"));
  EXPECT_EQ(made.status, 1);
  EXPECT_TRUE(made.err.contains("skarrow2-dat: none: no entry matches")) << made.err.constData();
  const std::filesystem::path folder = scratch.dir.path().toStdString();
  EXPECT_TRUE(std::filesystem::is_regular_file(folder / "\xe9.dat"));
  EXPECT_TRUE(std::filesystem::is_regular_file(folder / "\xe9" / "A.TXT"));
}

TEST_F(ToolsProcess, EveryCommandHasItsHelp) {
  for (const QString command : {"info", "list", "test", "extract", "cat", "create", "add", "delete"}) {
    const Ran help = run({command, "--help"});
    EXPECT_EQ(help.status, 0) << command.toStdString();
    EXPECT_TRUE(help.out.contains("skarrow2-dat " + command.toLatin1())) << command.toStdString();
    EXPECT_FALSE(help.out.contains("--help-all")) << command.toStdString();
  }
}

TEST_F(ToolsProcess, EveryCommandTellsItsVersion) {
  for (const QString command : {"info", "list", "test", "extract", "cat", "create", "add", "delete"}) {
    const Ran version = run({command, "--version"});
    EXPECT_EQ(version.status, 0) << command.toStdString();
    EXPECT_EQ(version.out, run({"--version"}).out) << command.toStdString();
  }
}

TEST_F(ToolsProcess, ACountOfOneTakesTheSingular) {
  WriteTree(path("one"), {{"A.TXT", "a"}});
  EXPECT_TRUE(run({"create", path("one.dat"), path("one")}).out.contains(": 1 file packed, "));
}

}  // namespace
