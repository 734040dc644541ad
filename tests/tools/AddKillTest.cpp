// skarrow2-dat add killed (SIGKILL) half-way: the old archive stays whole and
// only the hidden file of the new one is left, for the next run to remove.
#include <gtest/gtest.h>
#include <signal.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include "tests/tools/ToolFixture.h"

using namespace testsupport;

namespace {

TEST(ToolsAddKill, AKillInTheMiddleOfAddLeavesTheOldArchiveWholeAndOnlyAHiddenFile) {
  ToolFolder scratch;
  const QString out = scratch.path("out");
  ASSERT_TRUE(QDir().mkpath(out) && QDir().mkpath(scratch.path("in")));
  ASSERT_TRUE(DatWriter().add("SMALL.TXT", SampleText(5'000, 1)).writeTo(out + "/a.dat"));
  const QByteArray before = ReadFile(out + "/a.dat");
  // Read and compressed in pieces, long enough to be caught in the middle.
  QFile big(scratch.path("in/BIG.BIN"));
  ASSERT_TRUE(big.open(QIODevice::WriteOnly) && big.resize(1'500'000'000));

  QProcess tool;
  tool.start(QStringLiteral(SKARROW2_DAT), {"add", "-q", out + "/a.dat", scratch.path("in/BIG.BIN")});
  ASSERT_TRUE(tool.waitForStarted());
  const auto hidden = [&] { return QDir(out).entryList({".*.part"}, QDir::Files | QDir::Hidden); };
  QElapsedTimer waited;
  waited.start();
  while (hidden().isEmpty() && waited.elapsed() < 30'000) QThread::usleep(200);
  ::kill(static_cast<pid_t>(tool.processId()), SIGKILL);
  ASSERT_TRUE(tool.waitForFinished());

  EXPECT_EQ(tool.exitStatus(), QProcess::CrashExit);
  EXPECT_EQ(ReadFile(out + "/a.dat"), before);
  const QStringList left = QDir(out).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
  ASSERT_EQ(left.size(), 2);
  EXPECT_TRUE(left.contains("a.dat"));
  EXPECT_EQ(hidden().size(), 1);
}

}  // namespace
