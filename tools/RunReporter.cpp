#include "tools/RunReporter.h"

#include <algorithm>

#include "tallyhold/archive/ClsTreeDir.h"
#include "tools/ToolCommand.h"

namespace tools {

RunReporter::RunReporter(const QString& archive, qint64 total, bool quiet) : archive_(archive), bar_(total, quiet) {}

void RunReporter::EntryDone(const tallyhold::ClsTreeDir& entry, const tallyhold::ExtractResult& result) {
  bar_.Add(std::max(0, entry.RealSize));
  if (result.outcome == tallyhold::ExtractOutcome::Extracted && result.trailing > 0 && onTrailing) {
    bar_.Clear();
    onTrailing(entry, result.trailing);
  }
  if (result.outcome != tallyhold::ExtractOutcome::Skipped) return;
  bar_.Clear();
  Complain(archive_ + ": " + QString::fromLatin1(entry.Filename) + ": " + result.reason);
  if (onSkipped) onSkipped(entry, result.reason);
}

qint64 TotalRealSize(const std::vector<const tallyhold::ClsTreeDir*>& entries) {
  qint64 total = 0;
  for (const tallyhold::ClsTreeDir* entry : entries) total += std::max(0, entry->RealSize);
  return total;
}

}  // namespace tools
