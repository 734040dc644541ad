#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <atomic>
#include <csignal>
#include <functional>

#include "engine/extract/ExtractionRun.h"
#include "tests/engine/ExtractFixture.h"
#include "tests/support/DatWriter.h"
#include "tests/widgets/QtPrinters.h"

using namespace engine;
using namespace testsupport;

namespace {

using Layout = ExtractDestination::Layout;

class ScriptedObserver : public RunObserver {
 public:
  void EntryDone(const ClsTreeDir& entry, const ExtractResult&) override {
    done << QString::fromLatin1(entry.Filename);
    if (afterEntry) afterEntry(entry);
  }
  void Stopping() override { stopping = true; }
  std::function<void(const ClsTreeDir&)> afterEntry;
  QStringList done;
  bool stopping = false;
};

// A run over every entry of the archive, into DestRoot "archive.dat" (Tree)
// or the chosen folder itself (Flat).
struct TestRun {
  TestRun(const OpenArchive& archive, const QString& chosen, Layout layout, bool* stop = nullptr)
      : destination(chosen, layout == Layout::Tree ? "archive.dat" : QString(), layout),
        run(archive.source, destination, observer, [stop] { return stop && *stop; }) {}
  const RunReport& extract(const OpenArchive& archive,
                           ExtractionRun::OnStop onStop = ExtractionRun::OnStop::KeepFiles) {
    if (run.OpenDestination()) run.Extract(archive.all(), onStop);
    return run.Report();
  }
  ScriptedObserver observer;
  ExtractDestination destination;
  ExtractionRun run;
};

TEST(EngineExtractionRun, ALinkOrAFileUnderDestRootsNameStopsTheRunAndNothingIsWrittenThrough) {
  QTemporaryDir outside;
  OpenArchive archive(DatWriter().add("A\\x.txt", "x"));
  QFile::link(outside.path(), archive.dest("archive.dat"));
  TestRun linked(archive, archive.dest(), Layout::Tree);
  const RunReport& report = linked.extract(archive);
  EXPECT_EQ(report.end, RunEnd::Failed);
  EXPECT_EQ(report.failure.file, archive.dest("archive.dat"));
  EXPECT_TRUE(report.failure.reason.contains("symbolic link")) << report.failure.reason.toStdString();
  EXPECT_EQ(OpenArchive::contentsOf(outside.path()), QStringList{});

  // The archive's own folder chosen: its DestRoot is the archive file itself.
  TestRun ownFolder(archive, archive.dir.path(), Layout::Tree);
  EXPECT_EQ(ownFolder.extract(archive).end, RunEnd::Failed);
  EXPECT_TRUE(ownFolder.run.Report().failure.reason.startsWith("A file stands under this name"));
}

TEST(EngineExtractionRun, WhatCannotBeAFolderSkipsItsEntriesAndTheRunGoesOn) {
  QTemporaryDir outside;
  OpenArchive archive(DatWriter()
                          .add("LINKED\\x.txt", "x")
                          .add("FIFO\\y.txt", "y")
                          .add("FILE\\z.txt", "z")
                          .add(QByteArray(150, '\xE9') + "\\x.txt", "a folder name of 300 bytes on disk")
                          .add("OK\\last.txt", "last"));
  QDir(archive.dest()).mkpath("archive.dat");
  QFile::link(outside.path(), archive.dest("archive.dat/LINKED"));
  ASSERT_EQ(::mkfifo(QFile::encodeName(archive.dest("archive.dat/FIFO")).constData(), 0600), 0);
  WriteFile(archive.dest("archive.dat/FILE"), "in the way");
  TestRun run(archive, archive.dest(), Layout::Tree);
  const RunReport& report = run.extract(archive);
  EXPECT_EQ(report.end, RunEnd::Completed);
  EXPECT_EQ(report.extracted, 1);
  EXPECT_EQ(report.skipped.Count(), 4);
  EXPECT_EQ(ReadFile(archive.dest("archive.dat/OK/last.txt")), "last");
  EXPECT_EQ(OpenArchive::contentsOf(outside.path()), QStringList{});
  EXPECT_EQ(archive.destContents(),
            (QStringList{"archive.dat", "archive.dat/FIFO", "archive.dat/FILE", "archive.dat/LINKED",
                         "archive.dat/OK", "archive.dat/OK/last.txt"}));
}

// The directory intact, the bodies before it cut by ever more bytes, 7 at a
// time (the trailer's length mended): every offset then points elsewhere or
// outside.
TEST(EngineExtractionRun, BodiesCutAtEveryLengthAreSkippedOrCopiedButNeverWrittenOutside) {
  const QByteArray runner = SampleText(600, 1);
  const QByteArray whole = DatWriter()
                               .add("TOP.TXT", "top")
                               .add("ART\\RUNNER.FRM", runner, true)
                               .add("ART\\SKY.FRM", SampleText(90, 2))
                               .build();
  const QStringList allowed = {"archive.dat", "archive.dat/ART", "archive.dat/ART/RUNNER.FRM",
                               "archive.dat/ART/SKY.FRM", "archive.dat/TOP.TXT"};
  for (qint64 cut = 1; cut <= FilesTotalOffset(whole); cut += 7) {
    SCOPED_TRACE(cut);
    QByteArray shifted = whole.mid(cut);
    PatchInt32(shifted, shifted.size() - 4, static_cast<int32_t>(shifted.size()));
    OpenArchive archive(shifted);
    TestRun run(archive, archive.dest(), Layout::Tree);
    const RunReport& report = run.extract(archive);
    EXPECT_EQ(report.end, RunEnd::Completed);
    EXPECT_EQ(report.extracted + report.skipped.Count(), 3);
    for (const QString& file : archive.destContents()) EXPECT_TRUE(allowed.contains(file)) << file.toStdString();
    // A compressed body read from the wrong place never inflates to its data.
    EXPECT_NE(ReadFile(archive.dest("archive.dat/ART/RUNNER.FRM")), runner);
  }
}

TEST(EngineExtractionRun, AFolderSwappedForALinkDuringTheRunCannotRedirectAWrite) {
  QTemporaryDir outside;
  OpenArchive archive(DatWriter().add("A\\1.txt", "one").add("A\\2.txt", "two").add("A\\B\\3.txt", "three"));
  TestRun run(archive, archive.dest(), Layout::Tree);
  const QString folder = archive.dest("archive.dat/A");
  run.observer.afterEntry = [&](const ClsTreeDir& entry) {
    if (entry.Filename != "A\\1.txt") return;
    ASSERT_TRUE(QDir().rename(folder, archive.dir.filePath("moved")));
    ASSERT_TRUE(QFile::link(outside.path(), folder));
  };
  EXPECT_EQ(run.extract(archive).end, RunEnd::Completed);
  EXPECT_EQ(OpenArchive::contentsOf(outside.path()), QStringList{});
  // The writes went on in the folder the run had made, wherever it is now.
  EXPECT_EQ(OpenArchive::contentsOf(archive.dir.filePath("moved")),
            (QStringList{"1.txt", "2.txt", "B", "B/3.txt"}));
}

TEST(EngineExtractionRun, AReadOnlyOrFullDestinationStopsTheRunAndLeavesNoPartialFile) {
  const QByteArray big = SampleText(3'000'000, 1);
  OpenArchive archive(DatWriter().add("small.txt", "small").add("big.txt", big, true).add("after.txt", "after"));
  const Mounted full(archive.dest("full"), "size=1m", 0);
  const Mounted readOnly(archive.dest("readonly"), nullptr, MS_RDONLY);
  if (!full.ok() || !readOnly.ok()) GTEST_SKIP() << "no tmpfs can be mounted here";

  TestRun tiny(archive, archive.dest("full"), Layout::Flat);
  const RunReport& report = tiny.extract(archive);
  EXPECT_EQ(report.end, RunEnd::Failed);
  EXPECT_EQ(report.failure.file, archive.dest("full/big.txt"));
  EXPECT_EQ(report.failure.reason, "No space left on device");
  EXPECT_EQ(OpenArchive::contentsOf(archive.dest("full")), QStringList{"small.txt"});

  TestRun locked(archive, archive.dest("readonly"), Layout::Tree);
  EXPECT_EQ(locked.extract(archive).end, RunEnd::Failed);
  EXPECT_EQ(locked.run.Report().failure.reason, "Read-only file system");
  EXPECT_EQ(locked.observer.done, QStringList{});
}

TEST(EngineExtractionRun, AStopRemovesOnlyTheFilesTheRunMadeNew) {
  OpenArchive archive(DatWriter().add("A\\new.txt", "new").add("A\\had.txt", "replaced").add("A\\later.txt", "x"));
  WriteFile(archive.dest("had.txt"), "the user's file");
  WriteFile(archive.dest("other.txt"), "untouched");
  bool stop = false;
  TestRun run(archive, archive.dest(), Layout::Flat, &stop);
  run.observer.afterEntry = [&stop](const ClsTreeDir& entry) { stop = entry.Filename == "A\\had.txt"; };
  const RunReport& report = run.extract(archive, ExtractionRun::OnStop::RemoveNewFiles);
  EXPECT_EQ(report.end, RunEnd::Stopped);
  EXPECT_TRUE(run.observer.stopping);
  EXPECT_EQ(run.observer.done, (QStringList{"A\\new.txt", "A\\had.txt"}));
  EXPECT_EQ(archive.destContents(), (QStringList{"had.txt", "other.txt"}));
  EXPECT_EQ(ReadFile(archive.dest("had.txt")), "replaced");
}

// A stop that comes while the second entry is copied, after its first piece.
TEST(EngineExtractionRun, AStopWithinEntriesCutsAnEntryShortAndLeavesNothingOfIt) {
  OpenArchive archive(
      DatWriter().add("SMALL.TXT", "small").add("BIG.BIN", SampleText(9'000'000, 3)).add("AFTER.TXT", "after"));
  for (const bool within : {true, false}) {
    SCOPED_TRACE(within);
    std::atomic<bool> stop = false;
    struct StopAtWork : ScriptedObserver {
      void Working() override { *stop = true; }
      std::atomic<bool>* stop = nullptr;
    } observer;
    observer.stop = &stop;
    const QString folder = within ? "within" : "between";
    QDir(archive.dest()).mkdir(folder);
    ExtractDestination destination(archive.dest(folder), {}, Layout::Flat);
    ExtractionRun run(archive.source, destination, observer, [&stop] { return stop.load(); });
    if (within) run.StopWithinEntries();
    ASSERT_TRUE(run.OpenDestination());
    run.Extract(archive.all(), ExtractionRun::OnStop::KeepFiles);
    EXPECT_EQ(run.Report().end, RunEnd::Stopped);
    EXPECT_TRUE(observer.stopping);
    const QStringList expected = within ? QStringList{"SMALL.TXT"} : QStringList{"BIG.BIN", "SMALL.TXT"};
    EXPECT_EQ(OpenArchive::contentsOf(archive.dest(folder)), expected);
    EXPECT_EQ(observer.done, (within ? QStringList{"SMALL.TXT"} : QStringList{"SMALL.TXT", "BIG.BIN"}));
  }
}

// The entries started ahead on the workers are given up, hidden files and all.
TEST(EngineExtractionRun, WithWorkersAStopBetweenEntriesLeavesWhatItLeavesWithOne) {
  DatWriter writer;
  for (int i = 0; i < 40; ++i)
    writer.add(QStringLiteral("F%1.TXT").arg(i).toLatin1(), SampleText(20'000, i), true);
  OpenArchive archive(writer);
  bool stop = false;
  ScriptedObserver observer;
  observer.afterEntry = [&](const ClsTreeDir&) { stop = observer.done.size() == 2; };
  ExtractDestination destination(archive.dest(), {}, Layout::Flat);
  ExtractionRun run(
      archive.source, destination, observer, [&stop] { return stop; }, 3);
  ASSERT_TRUE(run.OpenDestination());
  run.Extract(archive.all(), ExtractionRun::OnStop::KeepFiles);
  EXPECT_EQ(run.Report().end, RunEnd::Stopped);
  EXPECT_EQ(observer.done, (QStringList{"F0.TXT", "F1.TXT"}));
  EXPECT_EQ(archive.destContents(), (QStringList{"F0.TXT", "F1.TXT"}));
}

// The run's process killed part way through an entry: nothing stands under
// the entry's name, only a hidden file, which the next run into that folder
// (here an existing DestRoot) removes, as it removes those in the folders below.
TEST(EngineExtractionRun, AKilledRunLeavesNoFileThatLooksCompleteAndTheNextRunRemovesItsHiddenFile) {
  OpenArchive archive(DatWriter().add("BIG.BIN", SampleText(12'000'000, 2), true));
  const QString root = archive.dest("archive.dat");
  ASSERT_TRUE(QDir().mkpath(root + "/SUB"));
  const pid_t child = ::fork();
  if (child == 0) {
    struct Slow : RunObserver {
      void Working() override { ::usleep(20'000); }
    } slow;
    ExtractDestination destination(root, {}, ExtractDestination::Layout::Flat);
    ExtractionRun run(archive.source, destination, slow, [] { return false; });
    if (run.OpenDestination()) run.Extract(archive.all(), ExtractionRun::OnStop::KeepFiles);
    ::_exit(0);
  }
  QStringList seen;
  for (int wait = 0; wait < 5000 && seen.isEmpty(); ++wait) {
    ::usleep(1000);
    seen = QDir(root).entryList(QDir::Files | QDir::Hidden);
  }
  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);
  ASSERT_EQ(seen.size(), 1);
  EXPECT_TRUE(seen.first().startsWith(".tallyhold-")) << seen.first().toStdString();
  EXPECT_FALSE(QFile::exists(root + "/BIG.BIN"));

  ASSERT_TRUE(WriteFile(root + "/SUB/.tallyhold-dead1.part", "left by another run"));
  OpenArchive next(DatWriter().add("SUB\\X.TXT", "x"));
  TestRun run(next, archive.dest(), Layout::Tree);
  EXPECT_EQ(run.extract(next).end, RunEnd::Completed);
  EXPECT_EQ(archive.destContents(), (QStringList{"archive.dat", "archive.dat/SUB", "archive.dat/SUB/X.TXT"}));
}

}  // namespace
