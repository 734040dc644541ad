// skarrow2-dat extract and create stopped by signals part way through a large
// entry, and the hidden files a run that died leaves to the next one.
#include <gtest/gtest.h>
#include <signal.h>
#include <zlib.h>

#include <QElapsedTimer>
#include <QThread>

#include "common/platform/SafeFile.h"
#include "tests/tools/ToolFixture.h"

using namespace testsupport;

namespace {

// A bare zlib stream of size zero bytes, made a piece at a time.
QByteArray zerosStream(qint64 size) {
  z_stream z{};
  deflateInit(&z, 1);
  const QByteArray zeros(1 << 20, '\0');
  QByteArray stream;
  char out[1 << 16];
  for (qint64 left = size; left >= 0; left -= zeros.size()) {
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(zeros.constData()));
    z.avail_in = static_cast<uInt>(std::min<qint64>(left, zeros.size()));
    const int flush = left <= zeros.size() ? Z_FINISH : Z_NO_FLUSH;
    do {
      z.next_out = reinterpret_cast<Bytef*>(out);
      z.avail_out = sizeof out;
      deflate(&z, flush);
      stream.append(out, static_cast<qsizetype>(sizeof out - z.avail_out));
    } while (z.avail_out == 0);
    if (flush == Z_FINISH) break;
  }
  deflateEnd(&z);
  return stream;
}

class ToolsSignals : public ::testing::Test {
 protected:
  void SetUp() override {
    static const QByteArray stream = zerosStream(BigSize);
    FixtureEntry big{"BIG.BIN", {}, true};
    big.body = stream;
    big.realSize = BigSize;
    ASSERT_TRUE(DatWriter().add(big).writeTo(scratch.path("big.dat")));
    ASSERT_TRUE(QDir().mkpath(out()));
  }
  QString out() const { return scratch.path("out"); }
  QStringList hiddenFiles() const { return QDir(out()).entryList({".*.part"}, QDir::Files | QDir::Hidden); }

  // Starts the command (by default, extracting the large entry), and halts
  // the program (SIGSTOP) as soon as its hidden file in out() is there, well
  // before its work is complete.
  void startHalted(QProcess& tool, const QStringList& command = {}) {
    const QStringList extract{"extract", "-q", "-j", "2", scratch.path("big.dat"), "-C", out()};
    tool.start(QStringLiteral(SKARROW2_DAT), command.isEmpty() ? extract : command);
    ASSERT_TRUE(tool.waitForStarted());
    QElapsedTimer waited;
    waited.start();
    while (hiddenFiles().isEmpty() && waited.elapsed() < 30'000) QThread::usleep(200);
    ::kill(static_cast<pid_t>(tool.processId()), SIGSTOP);
    ASSERT_EQ(hiddenFiles().size(), 1);
    ASSERT_FALSE(QFile::exists(out() + "/BIG.BIN"));
  }
  void resume(QProcess& tool) {
    ::kill(static_cast<pid_t>(tool.processId()), SIGCONT);
    ASSERT_TRUE(tool.waitForFinished(30'000));
  }

  static constexpr qint64 BigSize = 1'500'000'000;
  ToolFolder scratch;
};

// The stop is seen between two pieces of the entry, not after the whole of it.
TEST_F(ToolsSignals, AHangupStopsWithinTheEntryAndLeavesNothing) {
  QProcess tool;
  startHalted(tool);
  ::kill(static_cast<pid_t>(tool.processId()), SIGHUP);
  resume(tool);
  EXPECT_EQ(tool.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(tool.exitCode(), 1);
  EXPECT_TRUE(tool.readAllStandardError().contains(": stopped after 0 entries"));
  EXPECT_EQ(QDir(out()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{});
}

// create reads a file this large in pieces, and the stop comes between two.
TEST_F(ToolsSignals, CreateStopsWithinALargeFileAndWritesNothing) {
  ASSERT_TRUE(QDir().mkpath(scratch.path("in")));
  QFile big(scratch.path("in/BIG.BIN"));
  ASSERT_TRUE(big.open(QIODevice::WriteOnly) && big.resize(BigSize));
  QProcess tool;
  startHalted(tool, {"create", "-q", out() + "/new.dat", scratch.path("in")});
  ::kill(static_cast<pid_t>(tool.processId()), SIGHUP);
  resume(tool);
  EXPECT_EQ(tool.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(tool.exitCode(), 1);
  EXPECT_TRUE(tool.readAllStandardError().contains("stopped; nothing was written"));
  EXPECT_EQ(QDir(out()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{});
}

// Two signals at once (two of the same would be one): the second ends the
// program before its workers can clean up, so the handler removes the file.
TEST_F(ToolsSignals, ASecondSignalEndsTheProgramAndItsHiddenFileGoesWithIt) {
  QProcess tool;
  startHalted(tool);
  ::kill(static_cast<pid_t>(tool.processId()), SIGINT);
  ::kill(static_cast<pid_t>(tool.processId()), SIGTERM);
  resume(tool);
  EXPECT_EQ(tool.exitStatus(), QProcess::CrashExit);
  EXPECT_EQ(QDir(out()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{});
}

// A hidden file whose writer is alive holds its lock; one left by a program
// that was killed (SIGKILL) holds none.
TEST_F(ToolsSignals, TheNextExtractRemovesOnlyTheHiddenFilesNoProgramHolds) {
  QProcess killed;
  startHalted(killed);
  const QStringList left = hiddenFiles();
  killed.kill();
  ASSERT_TRUE(killed.waitForFinished());
  ASSERT_EQ(hiddenFiles(), left);

  auto folder = std::make_shared<platform::FolderHandle>();
  ASSERT_EQ(platform::FolderHandle::Open(out(), *folder), 0);
  platform::SafeFile live;
  ASSERT_EQ(live.Create(folder, "tallyhold"), 0);
  QStringList held = hiddenFiles();
  for (const QString& name : left) held.removeOne(name);
  ASSERT_EQ(held.size(), 1);

  DatWriter().add("SMALL.TXT", "small").writeTo(scratch.path("small.dat"));
  EXPECT_EQ(RunTool({"extract", "-q", scratch.path("small.dat"), "-C", out()}).status, 0);
  EXPECT_EQ(hiddenFiles(), held);
  EXPECT_EQ(ReadFile(out() + "/SMALL.TXT"), "small");
}

}  // namespace
