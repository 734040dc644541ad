// Loads a generated archive of a million records through the real reader window
// (offscreen) and moves through it, beside the bare parse and the bare record
// read that bound what any reader can do.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "bench/ledgerlamp/BenchArchive.h"
#include "bench/support/ProcessMemory.h"
#include "common/dat/DatRecord.h"
#include "common/platform/DialogService.h"
#include "common/platform/FileSource.h"
#include "ledgerlamp/Main.h"
#include "tests/support/DatWriter.h"

using namespace ledgerlampbench;
using namespace benchsupport;

namespace {

// Answers the jump prompt with a fixed number; no other box is expected.
class JumpAnswer : public platform::DialogService {
 public:
  explicit JumpAnswer(QString reply) : reply_(std::move(reply)) { platform::SetDialogs(this); }
  ~JumpAnswer() override { platform::SetDialogs(nullptr); }
  platform::MsgAnswer message(const QString& text, const QString&, platform::MsgIcon,
                              platform::MsgButtons) override {
    std::fprintf(stderr, "unexpected message: %s\n", qPrintable(text));
    return platform::MsgAnswer::Cancel;
  }
  QString input(const QString&, const QString&, const QString&) override { return reply_; }
  QString openFile(const QString&, const QList<platform::FileFilter>&, const QString&) override { return {}; }

 private:
  QString reply_;
};

struct Timing {
  double median = 0;
  double p99 = 0;
  double max = 0;
};

// Runs prepare then the action, the given number of times; only the action is
// timed, in milliseconds on a steady clock.
Timing timed(
    int runs, const std::function<void()>& action, const std::function<void()>& prepare = [] {}) {
  std::vector<double> ms;
  for (int i = 0; i < runs; ++i) {
    prepare();
    const auto start = std::chrono::steady_clock::now();
    action();
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(ms.begin(), ms.end());
  return {ms[ms.size() / 2], ms[ms.size() * 99 / 100], ms.back()};
}

// Bytes above the resident size at the call that the action's peak reached.
qint64 peakAbove(const std::function<void()>& action) {
  const qint64 before = ResidentBytes();
  ResetPeak();
  action();
  return PeakBytes() - before;
}

double mib(qint64 bytes) { return bytes / 1048576.0; }

void row(const char* figure, const QString& reader, const QString& limit, const QString& target) {
  std::printf("| %-40s | %-28s | %-28s | %-30s |\n", figure, qPrintable(reader), qPrintable(limit),
              qPrintable(target));
}

// Median, 99th percentile and maximum.
QString msText(const Timing& t, int decimals = 3) {
  return QStringLiteral("%1 / %2 / %3 ms")
      .arg(t.median, 0, 'f', decimals)
      .arg(t.p99, 0, 'f', decimals)
      .arg(t.max, 0, 'f', decimals);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const int32_t records = argc > 1 ? QByteArray(argv[1]).toInt() : 1000000;
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("bench.dat"));
  const ArchiveFacts facts = WriteArchive(path, records);
  std::printf("Times: median / 99th percentile / maximum. Limits: the bare parse of the directory\n"
              "(one read, a walk by FilenameSize, no checks) and a bare record read (ReadRecordAt).\n");
  std::printf("Archive: %d records, directory %lld bytes, file %lld bytes\n\n", facts.records,
              facts.directoryBytes, facts.fileBytes);

  JumpAnswer dialogs(QString::number(records / 2));
  ledgerlamp::Main window;
  window.show();
  QApplication::processEvents();

  const qint64 bareParsePeak = peakAbove([&] { BareParse(path); });
  const Timing bareParse = timed(5, [&] { BareParse(path); });
  const qint64 loadPeak = peakAbove([&] { window.ReadSkarrow2DAT(path); });
  const Timing load = timed(5, [&] { window.ReadSkarrow2DAT(path); });

  auto* first = window.findChild<QPushButton*>(QStringLiteral("cmdFirst"));
  auto* last = window.findChild<QPushButton*>(QStringLiteral("cmdLast"));
  auto* jump = window.findChild<QPushButton*>(QStringLiteral("cmdJump"));
  auto* index = window.findChild<QLineEdit*>(QStringLiteral("txtIndex"));
  // Each button is disabled on its own record, so every run starts from the other end.
  const int runs = 1000;
  const Timing showFirst = timed(
      runs, [&] { first->click(); }, [&] { last->click(); });
  const bool firstShown = index->text() == QLatin1String("1");
  const Timing showLast = timed(
      runs, [&] { last->click(); }, [&] { first->click(); });
  const bool lastShown = index->text() == QString::number(records);
  const Timing showJump = timed(
      runs, [&] { jump->click(); }, [&] { first->click(); });
  const bool jumpShown = index->text() == QString::number(records / 2);
  if (!firstShown || !lastShown || !jumpShown) {
    std::fprintf(stderr, "a display did not show its record\n");
    return 1;
  }

  const std::shared_ptr<platform::FileSource> source = platform::FileSource::Open(path);
  const qint64 directoryEnd = facts.fileBytes - 7;
  const qint64 lastRecord = directoryEnd - (17 + 29);
  const Timing bareRead = timed(runs, [&] { dat::ReadRecordAt(*source, lastRecord, directoryEnd, records); });

  // A sparse file whose trailer claims 2 GiB of directory with FilesTotal 0.
  const QString claim = dir.filePath(QStringLiteral("claim.dat"));
  testsupport::WriteDirectoryClaim(claim, testsupport::LargestArchive);
  const qint64 claimPeak = peakAbove([&] { window.ReadSkarrow2DAT(claim); });
  const Timing claimLoad = timed(5, [&] { window.ReadSkarrow2DAT(claim); });
  if (window.findChild<QLineEdit*>(QStringLiteral("txtFilesTotal"))->text() != QLatin1String("0")) {
    std::fprintf(stderr, "the directory claim was not loaded\n");
    return 1;
  }

  const qint64 budget = 4LL * records + facts.directoryBytes + (16LL << 20);
  std::printf("| %-40s | %-28s | %-28s | %-30s |\n", "Figure", "Ledgerlamp", "Machine's limit", "Target");
  std::printf("|%s|%s|%s|%s|\n", std::string(42, '-').c_str(), std::string(30, '-').c_str(),
              std::string(30, '-').c_str(), std::string(32, '-').c_str());
  row("Load (5 runs; limit: bare parse)", msText(load, 1), msText(bareParse, 1), "< 500 ms");
  row("Peak memory above the idle window", QStringLiteral("%1 MiB").arg(mib(loadPeak), 0, 'f', 1),
      QStringLiteral("%1 MiB").arg(mib(bareParsePeak), 0, 'f', 1),
      QStringLiteral("<= %1 MiB (4 B/rec+dir+16)").arg(mib(budget), 0, 'f', 1));
  const QString readLimit = msText(bareRead);
  row("Display First (1000 runs)", msText(showFirst), readLimit, "< 1 ms");
  row("Display Last (1000 runs)", msText(showLast), readLimit, "< 1 ms");
  row("Display Jump to the middle (1000 runs)", msText(showJump), readLimit, "< 1 ms");
  row("Load of a 2 GiB directory claim (5 runs)", msText(claimLoad, 1), "-", "< 1000 ms");
  row("Its peak memory above the window", QStringLiteral("%1 MiB").arg(mib(claimPeak), 0, 'f', 1), "-",
      "< 64 MiB");
  return 0;
}
