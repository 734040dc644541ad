// skarrow2-dat info ARCHIVE
#include <QSet>
#include <QStringList>

#include "common/dat/DatFormat.h"
#include "engine/archive/ClsTreeDir.h"
#include "engine/archive/CommonFunctions.h"
#include "tools/Commands.h"
#include "tools/ToolArchive.h"
#include "tools/ToolCommand.h"

namespace tools {
namespace {

struct Totals {
  qint64 packed = 0;
  qint64 unpacked = 0;
  int compressed = 0;
  int stored = 0;
  qsizetype folders = 0;
};

// Read record by record, keeping only the folders' paths, without letter
// case as the scan files them.
Totals totalsOf(const ToolArchive& archive) {
  Totals totals;
  QSet<QString> folders;
  QByteArray lastFolder;
  for (const engine::ClsTreeDir* entry : archive.Records()) {
    totals.packed += entry->PackedSize;
    totals.unpacked += entry->RealSize;
    (entry->IsCompressed() ? totals.compressed : totals.stored) += 1;
    const QByteArrayView folder = engine::FolderPathView(entry->Filename);
    if (folder != lastFolder) {
      lastFolder = folder.toByteArray();
      folders.insert(engine::FoldedName(lastFolder));
    }
  }
  totals.folders = folders.size();
  return totals;
}

void printValue(const QString& label, qint64 value) {
  Print(QStringLiteral("%1 %2").arg(label + ':', -16).arg(value));
}

int showInfo(const ToolArchive& archive) {
  const dat::FixedDATInfo& model = archive.Info();
  const Totals totals = totalsOf(archive);
  Print(QStringLiteral("%1 %2").arg(QStringLiteral("Archive:"), -16).arg(archive.Path()));
  printValue(QStringLiteral("DataSize"), model.DataSize);
  printValue(QStringLiteral("TreeSize"), model.TreeSize);
  printValue(QStringLiteral("DirTreeAddr"), model.DirTreeAddr);
  printValue(QStringLiteral("FilesTotal"), model.FilesTotal);
  printValue(QStringLiteral("Folders"), totals.folders);
  printValue(QStringLiteral("Packed bytes"), totals.packed);
  printValue(QStringLiteral("Unpacked bytes"), totals.unpacked);
  printValue(QStringLiteral("Compressed"), totals.compressed);
  printValue(QStringLiteral("Stored"), totals.stored);
  return Success;
}

}  // namespace

int RunInfo(const QStringList& arguments) {
  CommandLine line(QStringLiteral("info"),
                   QStringLiteral(
                       "Shows an archive's trailer values, its numbers of entries and folders, its packed "
                       "and unpacked totals, and how many entries are compressed or stored."));
  line.AddArchive();
  if (const std::optional<int> end = line.Parse(arguments, 1, 1)) return *end;
  return WithArchive(line.Positional()[0], showInfo);
}

}  // namespace tools
