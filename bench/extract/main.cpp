// Extract all through the engine against the machine's limit (a bare zlib
// loop) on a generated archive of about 300 MB, 30,000 entries in 600 folders;
// then the peak memory of extracting one 200 MB entry. Every run writes into a
// fresh folder on a tmpfs mounted for the benchmark (a plain fresh folder when
// it cannot mount).
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <vector>

#include "BareExtract.h"
#include "BenchArchive.h"
#include "BenchRun.h"
#include "bench/support/ProcessMemory.h"
#include "engine/extract/ExtractionRun.h"

using namespace extractbench;

namespace {

// Extract all's run as the dialog runs it, less the window: the caller's
// status text per entry, each entry in its folder under DestRoot.
class StatusKeeper : public engine::RunObserver {
 public:
  void EntryStarting(const engine::ClsTreeDir& entry) override {
    labStatus = "Extracting " + QString::fromLatin1(entry.Filename);
  }
  void EntryStatus(const QString& text) override { labStatus = text; }
  QString labStatus;
};

double engineExtract(const LoadedArchive& archive, const QString& destRoot) {
  const Clock::time_point start = Clock::now();
  const QFileInfo root(destRoot);
  engine::ExtractDestination destination(root.path(), root.fileName(), engine::ExtractDestination::Layout::Tree);
  StatusKeeper observer;
  engine::ExtractionRun run(archive.source, destination, observer, [] { return false; });
  std::vector<const engine::ClsTreeDir*> entries;
  for (const auto& folder : *archive.trees)
    for (const auto& entry : *folder) entries.push_back(entry.get());
  if (run.OpenDestination()) run.Extract(entries, engine::ExtractionRun::OnStop::KeepFiles);
  const engine::RunReport& report = run.Report();
  if (report.end != engine::RunEnd::Completed || report.skipped.Count() > 0)
    throw std::runtime_error(("not every entry was extracted: " + report.failure.reason).toStdString());
  return Since(start);
}

void timeExtractAll(const Workspace& workspace, int runs) {
  const QString path = workspace.file("archive.dat");
  Clock::time_point start = Clock::now();
  const qint64 size = WriteArchive(path, ArchiveShape{});
  std::printf("generated %s: %.1f MB in %.1f s\n", qPrintable(path), size / 1e6, Since(start));
  start = Clock::now();
  const LoadedArchive archive = LoadArchive(path);
  std::printf("loaded: %d entries in %lld folders, %.1f MB uncompressed, in %.2f s\n\n", archive.entries,
              static_cast<long long>(archive.trees->Count()), archive.realBytes / 1e6, Since(start));

  std::vector<double> engine, bare, inflate, temporary, ratio;
  for (int run = 1; run <= runs; ++run) {
    const QString bareRoot = workspace.file(QStringLiteral("run%1-bare").arg(run));
    const QString engineRoot = workspace.file(QStringLiteral("run%1-engine/archive.dat").arg(run));
    QDir().mkpath(workspace.file(QStringLiteral("run%1-engine").arg(run)));
    const BareTimes times = BareExtract(archive, path, bareRoot);
    bare.push_back(times.totalSeconds);
    inflate.push_back(times.inflateSeconds);
    engine.push_back(engineExtract(archive, engineRoot));
    const QString temporaryRoot = workspace.file(QStringLiteral("run%1-temporary").arg(run));
    temporary.push_back(BareExtract(archive, path, temporaryRoot, true).totalSeconds);
    ratio.push_back(engine.back() / bare.back());
    std::printf("run %d: bare loop %.3f s (inflate %.3f s), Extract all engine %.3f s (%.2f x), "
                "bare loop through temporary files %.3f s\n",
                run, bare.back(), inflate.back(), engine.back(), ratio.back(), temporary.back());
    if (run == 1) CompareOutputs(archive, bareRoot, engineRoot);
    QDir(bareRoot).removeRecursively();
    QDir(temporaryRoot).removeRecursively();
    QDir(workspace.file(QStringLiteral("run%1-engine").arg(run))).removeRecursively();
  }
  std::printf("\n| figure | median | best |\n|---|---|---|\n");
  std::printf("| bare zlib loop (machine's limit) | %.3f s | %.3f s |\n", Median(bare),
              *std::min_element(bare.begin(), bare.end()));
  std::printf("| of which inflating | %.3f s | %.3f s |\n", Median(inflate),
              *std::min_element(inflate.begin(), inflate.end()));
  std::printf("| Extract all engine | %.3f s | %.3f s |\n", Median(engine),
              *std::min_element(engine.begin(), engine.end()));
  std::printf("| bare loop through temporary files | %.3f s | %.3f s |\n", Median(temporary),
              *std::min_element(temporary.begin(), temporary.end()));
  std::printf("| engine / bare loop of the same run | %.2f | %.2f |\n\n", Median(ratio),
              *std::min_element(ratio.begin(), ratio.end()));
  QFile::remove(path);
}

// In a process of its own, so that nothing of the generation stays resident.
void measurePeakMemory(const QString& path, const QString& root) {
  const LoadedArchive archive = LoadArchive(path);
  const auto& entry = *archive.trees->Item(1)->Item(1);
  const qint64 loaded = benchsupport::ResidentBytes() / 1024;
  benchsupport::ResetPeak();
  const double seconds = engineExtract(archive, root);
  const qint64 peak = benchsupport::PeakBytes() / 1024;
  std::printf("one %s entry of %d bytes (%d packed) extracted in %.2f s\n",
              entry.IsCompressed() ? "compressed" : "stored", entry.RealSize, entry.PackedSize, seconds);
  std::printf("| peak memory above the loaded archive | %.1f MiB (resident %lld KiB loaded, %lld KiB at the peak) "
              "|\n",
              (peak - loaded) / 1024.0, static_cast<long long>(loaded), static_cast<long long>(peak));
}

void peakInChild(const QString& program, const QString& path, const QString& root) {
  QProcess child;
  child.setProcessChannelMode(QProcess::ForwardedChannels);
  child.start(program, {"--peak", path, root});
  child.waitForFinished(-1);
  QDir(root).removeRecursively();
  QFile::remove(path);
}

// One compressed entry of 200 MB, and one stored entry of 1.5 GB.
void runPeakMemory(const Workspace& workspace, const QString& program) {
  WriteSingleEntryArchive(workspace.file("huge.dat"), 200'000'000);
  peakInChild(program, workspace.file("huge.dat"), workspace.file("huge"));
  WriteStoredEntryArchive(workspace.file("stored.dat"), 1'500'000'000);
  peakInChild(program, workspace.file("stored.dat"), workspace.file("stored"));
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments();
  try {
    if (args.value(1) == "--peak") {
      measurePeakMemory(args.value(2), args.value(3));
      return 0;
    }
    const int runs = args.size() > 1 ? args[1].toInt() : 5;
    const Workspace workspace(args.size() > 2 ? args[2] : QDir::tempPath());
    std::printf("workspace on %s\n", workspace.mounted() ? "a tmpfs mounted for the benchmark" : "a fresh folder");
    timeExtractAll(workspace, runs);
    std::fflush(stdout);
    runPeakMemory(workspace, args.first());
  } catch (const std::exception& error) {
    std::fprintf(stderr, "extract_bench: %s\n", error.what());
    return 1;
  }
  return 0;
}
