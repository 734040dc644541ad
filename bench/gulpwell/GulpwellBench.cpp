// Compresses and decompresses two generated 100 MB files through Gulpwell's
// codec and through a bare program making zlib's one-shot calls, each operation
// in a process of its own, and prints time and peak memory side by side.
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>

#include "bench/gulpwell/BenchInputs.h"
#include "bench/gulpwell/BenchOperations.h"
#include "bench/gulpwell/BenchScratch.h"

namespace {

using gulpwellbench::Measure;
using gulpwellbench::MeasureOperation;

constexpr int64_t InputSize = 100'000'000;
constexpr int Rounds = 5;
constexpr double MiB = 1024.0 * 1024.0;

struct Row {
  QString operation;
  QString file;
  Measure ours;
  Measure bare;
  double inMiB = 0;
  double outMiB = 0;
};

double sizeMiB(const QString& path) { return static_cast<double>(QFileInfo(path).size()) / MiB; }

bool sameBytes(const QString& a, const QString& b) {
  QFile first(a), second(b);
  if (!first.open(QIODevice::ReadOnly) || !second.open(QIODevice::ReadOnly)) return false;
  if (first.size() != second.size()) return false;
  while (!first.atEnd())
    if (first.read(1 << 20) != second.read(1 << 20)) return false;
  return true;
}

// The fastest of the rounds, and the highest peak.
void keepBest(Measure& best, const Measure& round) {
  const bool first = best.seconds == 0;
  best.ok = (first || best.ok) && round.ok;
  best.seconds = first ? round.seconds : std::min(best.seconds, round.seconds);
  best.cpuSeconds = first ? round.cpuSeconds : std::min(best.cpuSeconds, round.cpuSeconds);
  best.peakMiB = std::max(best.peakMiB, round.peakMiB);
}

QList<Row> measureFile(const QString& program, const QString& label, const QString& source) {
  Row compress;
  compress.operation = QStringLiteral("compress");
  compress.file = label;
  Row uncompress = compress;
  uncompress.operation = QStringLiteral("decompress");
  const QString size = QString::number(QFileInfo(source).size());
  bool checked = true;
  for (int round = 0; round < Rounds; ++round) {
    keepBest(compress.ours, MeasureOperation(program, {"ours-compress", source}));
    keepBest(compress.bare, MeasureOperation(program, {"bare-compress", source, source + ".bare.QZ"}));
    keepBest(uncompress.ours, MeasureOperation(program, {"ours-uncompress", source + ".QZ", source + ".out"}));
    keepBest(uncompress.bare,
             MeasureOperation(program, {"bare-uncompress", source + ".bare.QZ", source + ".bare.out", size}));
    checked = checked && sameBytes(source, source + ".out") && sameBytes(source, source + ".bare.out");
    for (const char* output : {".out", ".bare.out"}) QFile::remove(source + output);
  }
  compress.inMiB = uncompress.outMiB = sizeMiB(source);
  compress.outMiB = uncompress.inMiB = sizeMiB(source + ".QZ");
  std::printf("%-12s restored exactly: %s; stream identical to the one-shot call's: %s\n", qPrintable(label),
              checked ? "yes" : "NO", sameBytes(source + ".QZ", source + ".bare.QZ") ? "yes" : "no");
  for (const char* output : {".QZ", ".bare.QZ"}) QFile::remove(source + output);
  return {compress, uncompress};
}

void printTable(const QList<Row>& rows) {
  std::printf("\n%-10s %-10s %8s %8s %6s %8s %8s %6s %9s %9s %9s %s\n", "operation", "file", "ours s", "bare s",
              "ratio", "ours cpu", "bare cpu", "ratio", "ours MiB", "bare MiB", "limit MiB", "within targets");
  for (const Row& row : rows) {
    const double ratio = row.ours.seconds / row.bare.seconds;
    const double limit = 1.1 * (row.inMiB + row.outMiB) + 16;
    const bool within = row.ours.ok && row.bare.ok && ratio <= 1.1 && row.ours.peakMiB <= limit;
    std::printf("%-10s %-10s %8.3f %8.3f %6.3f %8.3f %8.3f %6.3f %9.1f %9.1f %9.1f %s\n",
                qPrintable(row.operation), qPrintable(row.file), row.ours.seconds, row.bare.seconds, ratio,
                row.ours.cpuSeconds, row.bare.cpuSeconds, row.ours.cpuSeconds / row.bare.cpuSeconds,
                row.ours.peakMiB, row.bare.peakMiB, limit, within ? "yes" : "NO");
  }
  std::printf("\ntime: fastest of %d rounds on the steady clock (cpu: user + system), each operation "
              "in its own process,\nreading and writing included; peak: VmHWM of that process; "
              "limit: 1.1 x (input + output) + 16 MiB;\ntargets: steady-clock ratio <= 1.1 and peak "
              "<= limit\n",
              Rounds);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList arguments = app.arguments();
  if (arguments.value(1) == QLatin1String("--operation")) return gulpwellbench::RunOperation(arguments.mid(2));

  gulpwellbench::BenchScratch scratch;
  if (!scratch.valid()) return 1;
  const QString text = scratch.path(QStringLiteral("text.txt"));
  const QString mixed = scratch.path(QStringLiteral("mixed.bin"));
  if (!gulpwellbench::WriteTextLike(text, InputSize) || !gulpwellbench::WriteMixedBinary(mixed, InputSize))
    return 1;
  std::printf("inputs: two files of %lld bytes in a %s\n", static_cast<long long>(InputSize),
              qPrintable(scratch.kind()));

  const QString program = app.applicationFilePath();
  QList<Row> rows = measureFile(program, QStringLiteral("text-like"), text);
  rows += measureFile(program, QStringLiteral("mixed"), mixed);
  printTable(rows);
  return 0;
}
