// skarrow2-dat cat ARCHIVE PATTERN...
#include <memory>

#include "engine/archive/ClsTreeDir.h"
#include "engine/extract/ExtractEntry.h"
#include "engine/extract/FileDecompressor.h"
#include "tools/Commands.h"
#include "tools/PatternTally.h"
#include "tools/StandardOutput.h"
#include "tools/ToolArchive.h"
#include "tools/ToolCommand.h"

namespace tools {
namespace {

// A compressed body is inflated once for nothing first, so that nothing of a
// damaged entry reaches standard output.
bool cat(const ToolArchive& archive, const engine::ClsTreeDir& entry) {
  std::unique_ptr<engine::FileDecompressor> decompressor;
  engine::EntryObserver quiet;
  engine::EntryCopy copy(entry, *archive.Source());
  const engine::ExtractResult result = engine::Settled([&] {
    copy.Prepare(nullptr);
    if (entry.IsCompressed()) copy.Pour(decompressor, quiet, [](const char*, qint64) {});
    copy.Pour(decompressor, quiet, [](const char* data, qint64 size) { Output({data, size}); });
    return engine::ExtractResult{};
  });
  if (result.outcome == engine::ExtractOutcome::Extracted) return true;
  const QString where = result.file.isEmpty() ? archive.Path() + ": " + QString::fromLatin1(entry.Filename)
                                              : result.file;
  Complain(where + ": " + result.reason);
  return false;
}

// Record by record, so that no directory is too large for it.
int catMatching(const ToolArchive& archive, PatternTally& patterns) {
  bool intact = true;
  for (const engine::ClsTreeDir* entry : archive.Records())
    if (patterns.Matches(entry->Filename)) intact = cat(archive, *entry) && intact;
  return patterns.TellUnmatched() && intact ? Success : SomeFailed;
}

}  // namespace

int RunCat(const QStringList& arguments) {
  CommandLine line(QStringLiteral("cat"),
                   QStringLiteral("Writes the bytes of the entries that match the patterns to standard output, "
                                  "in the order of the directory, inflated when compressed. A damaged entry "
                                  "writes nothing, is told and ends with status 1."));
  line.AddArchive();
  line.AddPositional(QStringLiteral("PATTERN"),
                     QStringLiteral("Full names or globs, without letter case; \\ or / between folders, * also "
                                    "across them; a folder takes everything in it."),
                     QStringLiteral("PATTERN..."));
  if (const std::optional<int> end = line.Parse(arguments, 2, -1)) return *end;
  PatternTally patterns(line.Positional().mid(1));
  return WithArchive(line.Positional()[0],
                     [&](const ToolArchive& archive) { return catMatching(archive, patterns); });
}

}  // namespace tools
