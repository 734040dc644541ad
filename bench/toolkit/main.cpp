// skarrow2-dat against the machine's limit and its peers, in one run on the
// usual archive of about 300 MB and 30,000 entries (extract_bench's
// generator) and its unpacked tree: extract -j 1 and -j 2 and test -j 2 beside
// the bare single-thread zlib loop; 7zz x, unzip and bsdtar -xf on a zip of
// the same files made by zip -r -6; create -j 2 beside 7zz a -tzip -mx=5
// -mmt=2 and zip -r -6, its size beside zlib level 6; the peak memory of each
// command above the loaded directory; zlib and libdeflate compared for
// create; cat of the largest entry for its memory. Usage: toolkit_bench
// SKARROW2_DAT [base folder].
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <stdexcept>

#include "BareExtract.h"
#include "BenchArchive.h"
#include "BenchRun.h"
#include "ChildRun.h"
#include "CompressorCompare.h"

using namespace extractbench;
using namespace toolkitbench;

namespace {

class Table {
 public:
  explicit Table(double bare) : bare_(bare) {}
  // Runs the command in the folder and prints its row.
  ChildResult Run(const QString& figure, const QString& folder, const QString& program,
                  const QStringList& arguments) const {
    const ChildResult result = RunChild(folder, program, arguments);
    const QString command = CommandText(program, arguments);
    if (result.status != 0) throw std::runtime_error(("failed: " + command).toStdString());
    std::printf("%-34s %8.3f s %6.2f x bare  %7.1f MiB peak   %s\n", qPrintable(figure), result.seconds,
                result.seconds / bare_, result.peakMiB, qPrintable(command));
    std::fflush(stdout);
    return result;
  }

 private:
  double bare_;
};

void fresh(const QString& folder) {
  QDir(folder).removeRecursively();
  QDir().mkpath(folder);
}

QString largestEntry(const LoadedArchive& archive) {
  const engine::ClsTreeDir* largest = nullptr;
  for (const auto& folder : *archive.trees)
    for (const auto& entry : *folder)
      if (!largest || entry->RealSize > largest->RealSize) largest = entry.get();
  return QString::fromLatin1(largest->Filename);
}

qint64 packedTotal(const QString& archive) {
  const LoadedArchive loaded = LoadArchive(archive);
  qint64 total = 0;
  for (const auto& folder : *loaded.trees)
    for (const auto& entry : *folder) total += entry->PackedSize;
  return total;
}

void run(const Workspace& workspace, const QString& tool) {
  const QString archive = workspace.file("archive.dat");
  const QString tree = workspace.file("tree");
  const QString out = workspace.file("out");
  std::printf("generated %.1f MB\n", WriteArchive(archive, ArchiveShape{}) / 1e6);
  const LoadedArchive loaded = LoadArchive(archive);
  std::printf("%d entries in %lld folders, %.1f MB unpacked\n\n", loaded.entries,
              static_cast<long long>(loaded.trees->Count()), loaded.realBytes / 1e6);

  const BareTimes bare = BareExtract(loaded, archive, tree);
  std::printf("%-34s %8.3f s (inflating %.3f s)\n", "bare single-thread zlib loop", bare.totalSeconds,
              bare.inflateSeconds);
  const Table table(bare.totalSeconds);

  const double baseline = table.Run("list (the loaded directory)", tree, tool, {"list", "-q", archive}).peakMiB;
  for (const QString& jobs : {QStringLiteral("1"), QStringLiteral("2")}) {
    fresh(out);
    const ChildResult extract = table.Run("skarrow2-dat extract -j " + jobs, out, tool,
                                          {"extract", "-q", "-j", jobs, archive, "-C", out});
    std::printf("%34s memory above the directory: %.1f MiB per worker\n", "",
                (extract.peakMiB - baseline) / jobs.toInt());
  }
  CompareOutputs(loaded, tree, out);
  const ChildResult test = table.Run("skarrow2-dat test -j 2", tree, tool, {"test", "-q", "-j", "2", archive});
  std::printf("%34s memory above the directory: %.1f MiB per worker\n", "", (test.peakMiB - baseline) / 2);
  const ChildResult cat = table.Run("skarrow2-dat cat (the largest entry)", tree, tool,
                                    {"cat", archive, largestEntry(loaded)});
  std::printf("%34s memory above the directory: %.1f MiB\n", "", cat.peakMiB - baseline);

  const QString zip = workspace.file("tree.zip");
  table.Run("zip -r -6 (create peer)", tree, "zip", {"-q", "-r", "-6", zip, "."});
  for (const auto& [figure, program, arguments] : std::vector<std::tuple<QString, QString, QStringList>>{
           {"7zz x", "7zz", {"x", "-bd", "-y", "-o" + out, zip}},
           {"unzip", "unzip", {"-q", zip, "-d", out}},
           {"bsdtar -xf", "bsdtar", {"-xf", zip, "-C", out}}}) {
    fresh(out);
    table.Run(figure, out, program, arguments);
  }
  QDir(out).removeRecursively();

  const QString created = workspace.file("created.dat");
  const QString zip7 = workspace.file("tree7.zip");
  table.Run("7zz a -tzip -mx=5 -mmt=2", tree, "7zz", {"a", "-bd", "-tzip", "-mx=5", "-mmt=2", zip7, "."});
  const ChildResult create = table.Run("skarrow2-dat create -j 2", tree, tool,
                                       {"create", "-q", "-j", "2", created, tree});
  std::printf("%34s memory above the directory: %.1f MiB per worker\n", "", (create.peakMiB - baseline) / 2);

  const CompressorFigures compressors = CompareCompressors(tree, 6);
  const qint64 createdSize = QFileInfo(created).size();
  const qint64 zlibArchive = createdSize - packedTotal(created) + compressors.zlibBytes;
  std::printf("\nsizes: zip -6 %.1f MB, 7zz -mx=5 %.1f MB, create %.1f MB, the same archive with zlib level 6 "
              "bodies %.1f MB: create / zlib 6 = %.4f\n",
              QFileInfo(zip).size() / 1e6, QFileInfo(zip7).size() / 1e6, createdSize / 1e6, zlibArchive / 1e6,
              static_cast<double>(createdSize) / zlibArchive);
  std::printf("compressors at level 6, one thread, %d files, %.1f MB: zlib %.3f s -> %.1f MB, libdeflate %.3f s "
              "-> %.1f MB\n",
              compressors.files, compressors.rawBytes / 1e6, compressors.zlibSeconds, compressors.zlibBytes / 1e6,
              compressors.libdeflateSeconds, compressors.libdeflateBytes / 1e6);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments();
  if (args.size() < 2) {
    std::fprintf(stderr, "usage: toolkit_bench SKARROW2_DAT [base folder]\n");
    return 2;
  }
  try {
    const Workspace workspace(args.size() > 2 ? args[2] : QDir::tempPath());
    std::printf("workspace on %s\n", workspace.mounted() ? "a tmpfs mounted for the benchmark" : "a fresh folder");
    run(workspace, QFileInfo(args[1]).absoluteFilePath());
  } catch (const std::exception& error) {
    std::fprintf(stderr, "toolkit_bench: %s\n", error.what());
    return 1;
  }
  return 0;
}
