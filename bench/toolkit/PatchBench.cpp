// skarrow2-dat add and delete on the usual archive of about 300 MB and 30,000
// entries (extract_bench's generator), each beside cp of the same archive on
// the same disk, run back to back since the machine may be shared: replacing
// one entry of about 100 KB, deleting 1,000 entries (whole folders, and names
// spread over the archive), and adding 1,000 new files beside create of the
// same files plus 1.2 times cp (each time the median of nine rounds, cp of
// the archive over a copy and the command in turns, the ratio to cp the
// median of the rounds' ratios); the peak memory of
// each above the loaded directory (list's peak); then zip and 7zz doing the
// same on a zip of the same files (bench/toolkit/install-peers.sh installs
// them). Usage: patch_bench SKARROW2_DAT [base folder].
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <utility>
#include <vector>

#include "BenchArchive.h"
#include "BenchRun.h"
#include "ChildRun.h"

using namespace extractbench;
using namespace toolkitbench;

namespace {

ChildResult mustRun(const QString& folder, const QString& program, const QStringList& arguments) {
  const ChildResult result = RunChild(folder, program, arguments);
  if (result.status != 0) throw std::runtime_error(("failed: " + CommandText(program, arguments)).toStdString());
  return result;
}

constexpr int Rounds = 9;

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// The command Rounds times, each after prepare (when given): the median time
// and the highest peak, so that one slow round on a shared machine does not
// make the figure; each round's time in seconds, when asked for.
ChildResult medianRun(const QString& folder, const QString& program, const QStringList& arguments,
                      const std::function<void()>& prepare = {}, std::vector<double>* rounds = nullptr) {
  std::vector<double> seconds;
  ChildResult result;
  for (int round = 0; round < Rounds; ++round) {
    if (prepare) prepare();
    const ChildResult ran = mustRun(folder, program, arguments);
    seconds.push_back(ran.seconds);
    result.peakMiB = std::max(result.peakMiB, ran.peakMiB);
  }
  if (rounds) *rounds = seconds;
  result.seconds = median(seconds);
  result.status = 0;
  return result;
}

// The command on work, a fresh copy of from, beside cp of work over a file
// as large, in turns. work is read once first, as an archive in use has
// been: the first read of pages just written costs a seventh more, which
// would otherwise fall on the command alone. The ratio is the median of
// each round's, the command against the cp just before it: the machine's
// pace drifts between rounds more than within one.
struct WithCp {
  ChildResult cp;
  ChildResult command;
  double ratio = 0;
};

WithCp withCp(const QString& folder, const QString& from, const QString& work, const QString& program,
              const QStringList& arguments) {
  const QString other = work + ".cp";
  mustRun(folder, "cp", {from, other});
  std::vector<double> cpSeconds, commandSeconds, ratios;
  WithCp result;
  result.command = medianRun(
      folder, program, arguments,
      [&] {
        mustRun(folder, "cp", {from, work});
        mustRun(folder, "cat", {work});
        cpSeconds.push_back(mustRun(folder, "cp", {work, other}).seconds);
      },
      &commandSeconds);
  QFile::remove(other);
  for (std::size_t round = 0; round < cpSeconds.size(); ++round)
    ratios.push_back(commandSeconds[round] / cpSeconds[round]);
  result.cp.seconds = median(cpSeconds);
  result.ratio = median(ratios);
  return result;
}

// A command of a thousand names, as far as it can be read.
QString shortened(const QString& command) { return command.size() > 200 ? command.left(200) + " ..." : command; }

// cp of the archive to work, then the command on work, one after the other.
void compare(const QString& figure, const QString& folder, const QString& archive, const QString& work,
             const QString& tool, const QStringList& arguments, double baseline, int workers) {
  QStringList dry = arguments;
  dry[dry.indexOf("-q")] = "--dry-run";
  mustRun(folder, "cp", {archive, work});
  const ChildResult dryRun = medianRun(folder, tool, dry);
  const auto [cp, command, ratio] = withCp(folder, archive, work, tool, arguments);
  std::printf("%-28s %7.3f s   cp %7.3f s   %5.2f x cp   %6.1f MiB peak, %5.1f "
              "MiB per worker above the "
              "directory; --dry-run %.3f s\n   %s\n",
              qPrintable(figure), command.seconds, cp.seconds, ratio, command.peakMiB,
              (command.peakMiB - baseline) / workers, dryRun.seconds,
              qPrintable(shortened(CommandText(tool, arguments))));
  std::fflush(stdout);
}

// The entry whose size is nearest 100 KB.
const engine::ClsTreeDir& nearest100K(const LoadedArchive& loaded) {
  const engine::ClsTreeDir* best = nullptr;
  for (const auto& folder : *loaded.trees)
    for (const auto& entry : *folder)
      if (!best || std::abs(entry->RealSize - 100'000) < std::abs(best->RealSize - 100'000)) best = entry.get();
  return *best;
}

// Folders from the first on until they hold 1,000 entries or more.
QStringList foldersOf1000(const LoadedArchive& loaded, int& entries) {
  QStringList patterns;
  entries = 0;
  for (const auto& folder : *loaded.trees) {
    if (entries >= 1000) break;
    if (folder->TreePath == "\\") continue;
    patterns << QString::fromLatin1(folder->TreePath);
    entries += static_cast<int>(folder->Count());
  }
  return patterns;
}

// 1,000 new files of 1 to 20 KB in ten folders, for add against create.
QString write1000(const Workspace& workspace) {
  const QString root = workspace.file("added/MODS");
  for (int n = 0; n < 1000; ++n) {
    const QString path = root + QString("/SET%1/NEW%2.DAT").arg(n % 10).arg(n, 4, 10, QChar('0'));
    QDir().mkpath(QFileInfo(path).path());
    QFile out(path);
    const qint64 size = 1000 + (n * 7919) % 19000;
    if (!out.open(QIODevice::WriteOnly) || out.write(TextLike(size, n)) != size)
      throw std::runtime_error("cannot write the new files");
  }
  return root;
}

// add of 1,000 files beside create of the same files and cp of the archive.
void add1000(const Workspace& workspace, const QString& archive, const QString& work, const QString& tool,
             double baseline) {
  const QString folder = workspace.file("");
  const QString added = write1000(workspace);
  const ChildResult create = medianRun(folder, tool, {"create", "-q", workspace.file("new.dat"), added});
  const auto [cp, add, ratio] = withCp(folder, archive, work, tool, {"add", "-q", work, added});
  std::printf("%-28s %7.3f s   create %.3f s + 1.2 x cp %.3f s = %.3f s   %5.2f x that   %6.1f MiB peak, "
              "%5.1f MiB per worker above the directory\n",
              "add (1,000 new files)", add.seconds, create.seconds, cp.seconds, create.seconds + 1.2 * cp.seconds,
              add.seconds / (create.seconds + 1.2 * cp.seconds), add.peakMiB, (add.peakMiB - baseline) / 2);
  std::fflush(stdout);
}

// 1,000 entries spread over the archive, by their names.
QStringList every30th(const LoadedArchive& loaded) {
  QStringList names;
  int seen = 0;
  for (const auto& folder : *loaded.trees)
    for (const auto& entry : *folder)
      if (seen++ % 30 == 0 && names.size() < 1000) names << QString::fromLatin1(entry->Filename);
  return names;
}

// The peers on a zip of the same files (zip -r -6 of the extracted tree):
// zip and 7zz replacing the same file and deleting the same 1,000 names,
// each beside cp of the zip.
void peers(const Workspace& workspace, const QString& archive, const QString& tool, const QString& replaced,
           const QString& newFile, const QStringList& names) {
  const QString tree = workspace.file("tree");
  const QString zip = workspace.file("tree.zip"), work = workspace.file("work.zip");
  mustRun(workspace.file(""), tool, {"extract", "-q", archive, "-C", tree});
  mustRun(tree, "zip", {"-q", "-r", "-6", zip, "."});
  QFile::remove(tree + "/" + replaced);
  QFile::copy(newFile, tree + "/" + replaced);
  QStringList paths;
  for (const QString& name : names) paths << QString(name).replace('\\', '/');
  const struct {
    const char* figure;
    QString program;
    QStringList arguments;
  } runs[] = {{"zip (one replaced)", "zip", {"-q", work, replaced}},
              {"7zz u (one replaced)", "7zz", {"u", "-bd", work, replaced}},
              {"zip -d (1,000 names)", "zip", QStringList{"-q", "-d", work} + paths},
              {"7zz d (1,000 names)", "7zz", QStringList{"d", "-bd", work} + paths}};
  for (const auto& peer : runs) {
    const auto [cp, command, ratio] = withCp(tree, zip, work, peer.program, peer.arguments);
    std::printf("%-28s %7.3f s   cp   %.3f s   %5.2f x cp     %6.1f MiB peak\n", peer.figure, command.seconds,
                cp.seconds, ratio, command.peakMiB);
  }
  std::fflush(stdout);
}

void run(const Workspace& workspace, const QString& tool) {
  const QString archive = workspace.file("archive.dat");
  const QString work = workspace.file("work.dat");
  const QString folder = workspace.file("");
  std::printf("generated %.1f MB\n", WriteArchive(archive, ArchiveShape{}) / 1e6);
  const LoadedArchive loaded = LoadArchive(archive);
  std::printf("%d entries in %lld folders\n\n", loaded.entries, static_cast<long long>(loaded.trees->Count()));
  const double baseline = mustRun(folder, tool, {"list", "-q", archive}).peakMiB;
  std::printf("list (the loaded directory): %.1f MiB peak\n", baseline);

  const engine::ClsTreeDir& replaced = nearest100K(loaded);
  const QString name = QString::fromLatin1(replaced.Filename).replace('\\', '/');
  const QString file = workspace.file("new/" + QFileInfo(name).fileName());
  QDir().mkpath(QFileInfo(file).path());
  QFile out(file);
  if (!out.open(QIODevice::WriteOnly) || out.write(TextLike(replaced.RealSize, 7)) != replaced.RealSize)
    throw std::runtime_error("cannot write the new file");
  out.close();
  std::printf("replacing %s (%d bytes)\n", qPrintable(name), replaced.RealSize);
  for (const QString jobs : {"1", "2"})
    compare("add -j " + jobs + " (one replaced)", folder, archive, work, tool,
            {"add", "-q", "-j", jobs, work, file, "--as", QFileInfo(name).path()}, baseline, jobs.toInt());

  int entries = 0;
  const QStringList patterns = foldersOf1000(loaded, entries);
  std::printf("deleting %d entries in %lld folders\n", entries, static_cast<long long>(patterns.size()));
  compare("delete (20 folders)", folder, archive, work, tool, QStringList{"delete", "-q", work} + patterns,
          baseline, 1);
  const QStringList names = every30th(loaded);
  std::printf("deleting %lld entries by name, every 30th\n", static_cast<long long>(names.size()));
  compare("delete (1,000 names)", folder, archive, work, tool, QStringList{"delete", "-q", work} + names, baseline,
          1);
  add1000(workspace, archive, work, tool, baseline);
  std::printf("\nthe peers, on a zip of the same files\n");
  peers(workspace, archive, tool, name, file, names);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments();
  if (args.size() < 2) {
    std::fprintf(stderr, "usage: patch_bench SKARROW2_DAT [base folder]\n");
    return 2;
  }
  try {
    const Workspace workspace(args.size() > 2 ? args[2] : QDir::tempPath());
    std::printf("workspace on %s\n", workspace.mounted() ? "a tmpfs mounted for the benchmark" : "a fresh folder");
    run(workspace, QFileInfo(args[1]).absoluteFilePath());
  } catch (const std::exception& error) {
    std::fprintf(stderr, "patch_bench: %s\n", error.what());
    return 1;
  }
  return 0;
}
