// Opens generated archives through the real frame, offscreen, from the call of
// ReadSkarrow2DAT to the top-level listing shown, and prints each figure beside
// the bare decode of the same directory. Every measurement runs in a child
// process of its own, so that each peak of memory belongs to one archive size.
#include <QApplication>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QTemporaryDir>
#include <QTreeView>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <algorithm>
#include <chrono>
#include <cstdio>

#include "bench/support/ProcessMemory.h"
#include "bench/tallyhold/BenchArchive.h"
#include "common/dat/DatFormat.h"
#include "common/dat/DatRecord.h"
#include "common/platform/FileSource.h"
#include "engine/archive/CommonFunctions.h"
#include "engine/archive/FolderTree.h"
#include "tallyhold/windows/DAT_Container.h"
#include "tallyhold/windows/Main.h"
#include "tallyhold/windows/Main_Container.h"
#include "tests/support/DatWriter.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int Runs = 5;

double msSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The machine's limit: the directory read in one piece, every record decoded
// and its folder looked up in a hash keyed by the case-folded path.
int bareDecode(const QString& path) {
  const std::shared_ptr<platform::FileSource> source = platform::FileSource::Open(path);
  const Clock::time_point start = Clock::now();
  const dat::FixedDATInfo info = dat::GetFixedDATInfo(*source);
  dat::DirectoryReader block(*source, info);
  QHash<QByteArray, int> folders;
  qint64 position = info.DirTreeAddr;
  for (int i = 1; i <= info.FilesTotal; ++i) {
    const dat::DirRecord record = block.RecordAt(position, i);
    position = record.NextPosition;
    ++folders[engine::GetFolderPath(record.Filename).toLower()];
  }
  std::printf("%.3f %lld\n", msSince(start), static_cast<long long>(folders.size()));
  return 0;
}

int load(const QString& path) {
  const auto frame = tallyhold::Main();
  QCoreApplication::processEvents();
  const qint64 idle = benchsupport::PeakBytes();
  const Clock::time_point start = Clock::now();
  frame->ReadSkarrow2DAT(path);
  QCoreApplication::processEvents();
  const double ms = msSince(start);
  std::printf("%.3f %lld %d\n", ms, static_cast<long long>(benchsupport::PeakBytes() - idle),
              frame->State().DATFiles.Count());
  return 0;
}

int listFolder(const QString& path) {
  const auto frame = tallyhold::Main();
  frame->ReadSkarrow2DAT(path);
  QCoreApplication::processEvents();
  tallyhold::DAT_Container* window = frame->State().LastWindow();
  const auto* list = window->findChild<QTreeView*>(QStringLiteral("ListView"));
  double best = 1e9;
  int rows = 0;
  for (int run = 0; run < Runs; ++run) {
    window->ListFolder("\\");
    list->viewport()->repaint();
    const Clock::time_point start = Clock::now();
    window->ListFolder("BIG\\ONE\\");
    list->viewport()->repaint();
    best = std::min(best, msSince(start));
    rows = list->model()->rowCount();
  }
  std::printf("%.3f %d\n", best, rows);
  return 0;
}

QList<QByteArray> namesInDirectoryOrder(const QString& path) {
  const std::shared_ptr<platform::FileSource> source = platform::FileSource::Open(path);
  const dat::FixedDATInfo info = dat::GetFixedDATInfo(*source);
  dat::DirectoryReader block(*source, info);
  QList<QByteArray> names;
  qint64 position = info.DirTreeAddr;
  for (int i = 1; i <= info.FilesTotal; ++i) {
    dat::DirRecord record = block.RecordAt(position, i);
    position = record.NextPosition;
    names << std::move(record.Filename);
  }
  return names;
}

int nodeCount(QTreeWidget& tree) {
  int count = 0;
  for (QTreeWidgetItemIterator it(&tree); *it; ++it) ++count;
  return count;
}

// The tree of the scan, built again as the scan builds it (an entry in the
// folder of the one before asks for no nodes), without reading the records.
double scanTreeMs(tallyhold::DAT_Container& window, QTreeWidget& tree, const QList<QByteArray>& names) {
  const Clock::time_point start = Clock::now();
  window.ClearPanes();
  window.AddNode({QStringLiteral("root"), QStringLiteral("\\"), {}});
  engine::FolderTreeStep step;
  std::vector<engine::TreeNode> nodes;
  QByteArrayView last;
  for (const QByteArray& name : names) {
    const QByteArrayView folder = engine::FolderPathView(name);
    if (folder == last) continue;
    last = folder;
    nodes.clear();
    step.Add(name, nodes);
    for (const engine::TreeNode& node : nodes) window.AddNode(node);
  }
  window.SetRootListed();
  tree.viewport()->repaint();
  return msSince(start);
}

// The scan's tree against View > All folders on the same loaded archive, each
// the best of several runs; with the nodes of each.
int allFolders(const QString& path) {
  const auto frame = tallyhold::Main();
  frame->ReadSkarrow2DAT(path);
  QCoreApplication::processEvents();
  tallyhold::DAT_Container* window = frame->State().LastWindow();
  auto* tree = window->findChild<QTreeWidget*>(QStringLiteral("TreeView"));
  auto* item = frame->findChild<QAction*>(QStringLiteral("mnuAllFolders"));
  const QList<QByteArray> names = namesInDirectoryOrder(path);
  double scanBest = 1e9, allBest = 1e9;
  int scanNodes = 0, allNodes = 0;
  for (int run = 0; run < Runs; ++run) {
    item->setChecked(false);
    scanBest = std::min(scanBest, scanTreeMs(*window, *tree, names));
    scanNodes = nodeCount(*tree);
    const Clock::time_point start = Clock::now();
    item->setChecked(true);
    tree->viewport()->repaint();
    allBest = std::min(allBest, msSince(start));
    allNodes = nodeCount(*tree);
  }
  std::printf("%.3f %.3f %d %d\n", scanBest, allBest, scanNodes, allNodes);
  return 0;
}

// Runs this program on one archive in a child process; its printed numbers.
QList<double> child(const QString& mode, const QString& path) {
  QProcess process;
  process.start(QCoreApplication::applicationFilePath(), {mode, path});
  process.waitForFinished(-1);
  QList<double> numbers;
  for (const QByteArray& field : process.readAllStandardOutput().simplified().split(' '))
    numbers << field.toDouble();
  return numbers;
}

// The best of several runs (fewest milliseconds first).
QList<double> best(const QString& mode, const QString& path) {
  QList<double> result;
  for (int run = 0; run < Runs; ++run) {
    const QList<double> numbers = child(mode, path);
    if (result.isEmpty() || (!numbers.isEmpty() && numbers[0] < result[0])) result = numbers;
  }
  return result;
}

int runAll() {
  QTemporaryDir dir;
  std::printf("Tallyhold: open an archive (ReadSkarrow2DAT to the top-level listing shown)\n");
  std::printf("%10s %12s %10s %12s %10s %16s\n", "entries", "load ms", "ns/entry", "bare ms", "ns/entry",
              "peak B/entry");
  for (const int entries : {10000, 100000, 1000000}) {
    const QString path = dir.filePath(QStringLiteral("tree%1.dat").arg(entries));
    tallyholdbench::WriteTreeArchive(path, entries);
    const QList<double> bare = best(QStringLiteral("--bare"), path);
    const QList<double> loaded = best(QStringLiteral("--load"), path);
    if (bare.size() < 1 || loaded.size() < 3 || loaded[2] != 1) {
      std::printf("%10d  failed\n", entries);
      continue;
    }
    std::printf("%10d %12.1f %10.0f %12.1f %10.0f %16.0f\n", entries, loaded[0], loaded[0] * 1e6 / entries,
                bare[0], bare[0] * 1e6 / entries, loaded[1] / entries);
    QFile::remove(path);
  }
  // A sparse file whose trailer claims 2 GiB of directory with FilesTotal 0.
  const QString claim = dir.filePath(QStringLiteral("claim.dat"));
  testsupport::WriteDirectoryClaim(claim, testsupport::LargestArchive);
  const QList<double> claimed = best(QStringLiteral("--load"), claim);
  if (claimed.size() == 3 && claimed[2] == 1)
    std::printf("\nA 2 GiB directory claim, FilesTotal 0: opened in %.1f ms, peak %.1f MiB "
                "(target: under 1000 ms and 64 MiB)\n",
                claimed[0], claimed[1] / 1048576.0);
  else
    std::printf("\nA 2 GiB directory claim: failed\n");
  QFile::remove(claim);

  const QString big = dir.filePath(QStringLiteral("folder20000.dat"));
  tallyholdbench::WriteOneFolderArchive(big, 20000);
  const QList<double> listed = child(QStringLiteral("--list"), big);
  if (listed.size() == 2)
    std::printf("\nListFolder of one folder of %.0f entries, rows shown and painted: %.2f ms\n", listed[1],
                listed[0]);
  QFile::remove(big);

  std::printf("\nThe tree pane, 1,000,000 entries: the scan's tree (its nodes from the names in\n"
              "directory order, put in and painted) against View > All folders (its nodes from\n"
              "the archive's folders, put in and painted); best of %d\n",
              Runs);
  std::printf("%-28s %10s %8s %10s %8s %8s\n", "archive", "scan ms", "nodes", "all ms", "nodes", "ratio");
  for (const bool deep : {false, true}) {
    const QString path = dir.filePath(QStringLiteral("folders.dat"));
    if (deep)
      tallyholdbench::WriteDeepTreeArchive(path, 1000000);
    else
      tallyholdbench::WriteTreeArchive(path, 1000000);
    const QList<double> tree = child(QStringLiteral("--all-folders"), path);
    const char* name = deep ? "10,000 folders, 5 levels" : "2,000 folders, 3 levels";
    if (tree.size() == 4)
      std::printf("%-28s %10.2f %8.0f %10.2f %8.0f %8.2f\n", name, tree[0], tree[2], tree[1], tree[3],
                  tree[1] / tree[0]);
    else
      std::printf("%-28s  failed\n", name);
    QFile::remove(path);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments();
  if (args.size() == 3 && args[1] == QLatin1String("--bare")) return bareDecode(args[2]);
  if (args.size() == 3 && args[1] == QLatin1String("--load")) return load(args[2]);
  if (args.size() == 3 && args[1] == QLatin1String("--list")) return listFolder(args[2]);
  if (args.size() == 3 && args[1] == QLatin1String("--all-folders")) return allFolders(args[2]);
  // Writes an archive to look at or to profile the load or the tree with.
  if (args.size() == 4 && args[1] == QLatin1String("--write")) {
    tallyholdbench::WriteTreeArchive(args[2], args[3].toInt());
    return 0;
  }
  if (args.size() == 4 && args[1] == QLatin1String("--write-deep")) {
    tallyholdbench::WriteDeepTreeArchive(args[2], args[3].toInt());
    return 0;
  }
  return runAll();
}
