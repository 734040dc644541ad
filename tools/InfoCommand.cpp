// skarrow2-dat info ARCHIVE [--json]
#include <QSet>
#include <QStringList>

#include "common/dat/DatFormat.h"
#include "engine/archive/ClsTreeDir.h"
#include "engine/archive/CommonFunctions.h"
#include "tools/Commands.h"
#include "tools/JsonOutput.h"
#include "tools/StandardOutput.h"
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

void printValue(const QString& label, const QString& value) {
  Print(QStringLiteral("%1 %2").arg(label + ':', -16).arg(value));
}

void printValue(const QString& label, qint64 value) { printValue(label, QString::number(value)); }

// {"format": 1, "archive": ..., "dataSize": N, ..., "stored": N}, the keys
// those of the lines in camel case.
void showJson(const ToolArchive& archive, const Totals& totals) {
  const dat::FixedDATInfo& model = archive.Info();
  const std::pair<const char*, qint64> values[] = {
      {"dataSize", model.DataSize},       {"treeSize", model.TreeSize},      {"dirTreeAddr", model.DirTreeAddr},
      {"filesTotal", model.FilesTotal},   {"folders", totals.folders},       {"packedBytes", totals.packed},
      {"unpackedBytes", totals.unpacked}, {"compressed", totals.compressed}, {"stored", totals.stored}};
  QByteArray text = JsonHead(archive.Path());
  for (const auto& [key, value] : values) text += QByteArray(", \"") + key + "\": " + QByteArray::number(value);
  Output(text + "}\n");
}

int showInfo(const ToolArchive& archive, bool json) {
  const dat::FixedDATInfo& model = archive.Info();
  const Totals totals = totalsOf(archive);
  if (json) {
    showJson(archive, totals);
    return Success;
  }
  Print(QStringLiteral("%1 %2").arg(QStringLiteral("Archive:"), -16).arg(archive.Path()));
  // Sizes in decimal bytes, the offset in hexadecimal as the windows show it.
  printValue(QStringLiteral("DataSize"), QString::number(model.DataSize) + " bytes");
  printValue(QStringLiteral("TreeSize"), QString::number(model.TreeSize) + " bytes");
  printValue(QStringLiteral("DirTreeAddr"), dat::FormatHex(model.DirTreeAddr) + 'h');
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
  line.AddOption({"json", QStringLiteral("The values as a JSON object (the keys are in the man page).")});
  if (const std::optional<int> end = line.Parse(arguments, 1, 1)) return *end;
  const bool json = line.IsSet("json");
  return WithArchive(
      line.Positional()[0], [json](const ToolArchive& archive) { return showInfo(archive, json); }, json);
}

}  // namespace tools
