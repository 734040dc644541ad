#include "tools/RunReporter.h"

#include <algorithm>

#include "engine/archive/ClsTreeDir.h"
#include "tools/ToolCommand.h"

namespace tools {

RunReporter::RunReporter(const QString& archive, qint64 total, bool quiet)
    : archive_(archive), bar_(total, quiet) {}

void RunReporter::EntryDone(const engine::ClsTreeDir& entry, const engine::ExtractResult& result) {
  bar_.Add(std::max(0, entry.RealSize));
  if (result.outcome == engine::ExtractOutcome::Extracted && onWritten) {
    bar_.Clear();
    onWritten(result.file);
  }
  if (result.outcome == engine::ExtractOutcome::Extracted && result.trailing > 0 && onTrailing) {
    bar_.Clear();
    onTrailing(entry, result.trailing);
  }
  if (result.outcome == engine::ExtractOutcome::Kept) {
    bar_.Clear();
    Complain(archive_ + ": " + QString::fromLatin1(entry.Filename) + ": kept " + result.file +
             ", which was there already");
  }
  if (result.outcome != engine::ExtractOutcome::Skipped) return;
  bar_.Clear();
  Complain(archive_ + ": " + QString::fromLatin1(entry.Filename) + ": " + result.reason);
  if (onSkipped) onSkipped(entry, result.reason);
}

qint64 TotalRealSize(const std::vector<const engine::ClsTreeDir*>& entries) {
  qint64 total = 0;
  for (const engine::ClsTreeDir* entry : entries) total += std::max(0, entry->RealSize);
  return total;
}

}  // namespace tools
