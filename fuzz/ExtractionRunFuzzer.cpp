// An extraction run over any archive: every entry the scan files, extracted by
// four workers into a fresh folder, must leave what one worker leaves (the
// same files with the same bytes, the same entries skipped). The first byte
// picks the size of the pieces the source hands out and, with its top bit,
// whether the folders are made before the entries; the rest is the archive.
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <memory>
#include <vector>

#include "common/dat/DatFormat.h"
#include "common/platform/MemorySource.h"
#include "engine/archive/ClsDatFile.h"
#include "engine/extract/ExtractionRun.h"
#include "fuzz/FuzzSupport.h"
#include "fuzz/ModelScan.h"

using namespace engine;

namespace {

struct Outcome {
  RunEnd end = RunEnd::Completed;
  int extracted = 0;
  int skipped = 0;
  QMap<QString, QByteArray> written;  // every file and folder below the destination; folders hold "/"

  bool operator==(const Outcome& other) const = default;
};

QMap<QString, QByteArray> contentsOf(const QString& folder) {
  QMap<QString, QByteArray> contents;
  QDirIterator walk(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
  while (walk.hasNext()) {
    const QFileInfo info = walk.nextFileInfo();
    const QString relative = info.filePath().mid(folder.size());
    if (info.isDir() && !info.isSymLink()) {
      contents.insert(relative, "/");
    } else {
      QFile file(info.filePath());
      contents.insert(relative, file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("unreadable"));
    }
  }
  return contents;
}

// The folders of the entries' paths, once each, as the toolkit makes them.
QList<QByteArray> foldersOf(const std::vector<const ClsTreeDir*>& entries) {
  QList<QByteArray> folders;
  for (const ClsTreeDir* entry : entries) {
    const QByteArray path = entry->FilePath();
    if (path != "\\" && !folders.contains(path.chopped(1))) folders << path.chopped(1);
  }
  return folders;
}

Outcome extract(const std::shared_ptr<const platform::ArchiveSource>& source,
                const std::vector<const ClsTreeDir*>& entries, bool foldersFirst, int workers) {
  const QTemporaryDir folder(ScratchPath("-run-XXXXXX"));
  Require(folder.isValid(), "a fresh destination folder");
  ExtractDestination destination(folder.path(), {}, ExtractDestination::Layout::Tree);
  RunObserver observer;
  ExtractionRun run(
      source, destination, observer, [] { return false; }, workers);
  if (run.OpenDestination() && (!foldersFirst || run.MakeFolders(foldersOf(entries))))
    run.Extract(entries, ExtractionRun::OnStop::KeepFiles);
  const RunReport& report = run.Report();
  return {report.end, report.extracted, report.skipped.Count(), contentsOf(folder.path())};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const qint64 pieceSize = (data[0] & 0x7F) | 1;
  const bool foldersFirst = (data[0] & 0x80) != 0;
  const auto source = std::make_shared<const platform::MemorySource>(
      QByteArray(reinterpret_cast<const char*>(data) + 1, static_cast<qsizetype>(size - 1)), pieceSize);
  if (!dat::IsSkarrow2DAT(*source)) return 0;
  ClsDatFile archive;
  ScanInto(*source, archive);
  std::vector<const ClsTreeDir*> entries;
  for (const auto& folder : archive.ColTrees())
    for (const auto& entry : *folder) entries.push_back(entry.get());
  Require(extract(source, entries, foldersFirst, 4) == extract(source, entries, foldersFirst, 1),
          "four workers leave what one leaves");
  return 0;
}
