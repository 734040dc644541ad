#pragma once
// How extract and test follow their run: the bar moves by each entry's size,
// and every skipped entry is told on standard error with its reason, as is
// every file kept.
#include <QString>
#include <functional>

#include "engine/extract/ExtractionRun.h"
#include "tools/ProgressBar.h"

namespace tools {

class RunReporter : public engine::RunObserver {
 public:
  // archive: the archive's path, named in every message. total: the bytes of
  // the entries the run takes.
  RunReporter(const QString& archive, qint64 total, bool quiet);

  // Also called for each skipped entry, after its message.
  std::function<void(const engine::ClsTreeDir&, const QString& reason)> onSkipped;
  // Called for each intact entry whose compressed body goes on after the end
  // of its stream, with the number of those bytes.
  std::function<void(const engine::ClsTreeDir&, qint64 bytes)> onTrailing;
  // Called with the path of each file written.
  std::function<void(const QString& file)> onWritten;

  void EntryDone(const engine::ClsTreeDir& entry, const engine::ExtractResult& result) override;
  void Clear() { bar_.Clear(); }

 private:
  QString archive_;
  ProgressBar bar_;
};

// The bytes the entries hold once extracted (what is negative counts nothing).
qint64 TotalRealSize(const std::vector<const engine::ClsTreeDir*>& entries);

}  // namespace tools
