// skarrow2-dat cat ARCHIVE ENTRY
#include <memory>
#include <optional>

#include "engine/archive/ClsTreeDir.h"
#include "engine/archive/NamePatterns.h"
#include "engine/extract/ExtractEntry.h"
#include "engine/extract/ExtractionPlan.h"
#include "engine/extract/FileDecompressor.h"
#include "tools/Commands.h"
#include "tools/StandardOutput.h"
#include "tools/ToolArchive.h"
#include "tools/ToolCommand.h"

namespace tools {
namespace {

// Record by record, so that no directory is too large for it.
std::optional<engine::ClsTreeDir> entryNamed(const ToolArchive& archive, const QString& name) {
  QByteArray wanted;
  for (const int byte : engine::ArchiveBytes(name)) {
    if (byte < 0) return std::nullopt;  // no name of an archive holds that character
    wanted += byte == '/' ? '\\' : static_cast<char>(byte);
  }
  engine::EntryByName found(wanted);
  for (const engine::ClsTreeDir* entry : archive.Records()) found.Consider(*entry);
  return found.Found();
}

// A compressed body is inflated once for nothing first, so that nothing of a
// damaged entry reaches standard output.
int cat(const ToolArchive& archive, const QString& name) {
  const std::optional<engine::ClsTreeDir> entry = entryNamed(archive, name);
  if (!entry) {
    Complain(archive.Path() + ": no entry is named " + name);
    return Refused;
  }
  std::unique_ptr<engine::FileDecompressor> decompressor;
  engine::EntryObserver quiet;
  engine::EntryCopy copy(*entry, *archive.Source());
  const engine::ExtractResult result = engine::Settled([&] {
    copy.Prepare(nullptr);
    if (entry->IsCompressed()) copy.Pour(decompressor, quiet, [](const char*, qint64) {});
    copy.Pour(decompressor, quiet, [](const char* data, qint64 size) { Output({data, size}); });
    return engine::ExtractResult{};
  });
  if (result.outcome == engine::ExtractOutcome::Extracted) return Success;
  const QString where = result.file.isEmpty() ? archive.Path() + ": " + QString::fromLatin1(entry->Filename)
                                              : result.file;
  Complain(where + ": " + result.reason);
  return SomeFailed;
}

}  // namespace

int RunCat(const QStringList& arguments) {
  CommandLine line(QStringLiteral("cat"),
                   QStringLiteral("Writes an entry's bytes to standard output, inflated when it is compressed. "
                                  "A damaged entry writes nothing and ends with status 1."));
  line.AddArchive();
  line.AddPositional(QStringLiteral("ENTRY"),
                     QStringLiteral("The entry's full name (\"\\\" or \"/\" between folders; letter case counts "
                                    "only where two entries differ in it alone)."));
  if (const std::optional<int> end = line.Parse(arguments, 2, 2)) return *end;
  return WithArchive(line.Positional()[0],
                     [&](const ToolArchive& archive) { return cat(archive, line.Positional()[1]); });
}

}  // namespace tools
