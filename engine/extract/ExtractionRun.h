#pragma once
// One extraction run, the same for every caller: DestRoot opened first, the
// folders made before the entries when asked, then the entries in order with
// the stop flag tested before each. A bad entry is skipped with its reason and
// the run goes on; a failure of the destination stops it. It reports through
// an observer and does not yield: the observer decides when the user
// interface may run.
//
//   ExtractDestination destination(chosenFolder, archiveName, Layout::Tree);
//   ExtractionRun run(archive.Index, destination, observer, [&stop] { return stop; });
//   if (run.OpenDestination() && run.MakeFolders(treeFolders)) run.Extract(entries, OnStop::KeepFiles);
//   switch (run.Report().end) ...
//
// With more than one worker the bodies are read, inflated and written into
// their hidden files on the workers' threads, while this thread keeps the
// destination (folders, names) and puts the files under their names in entry
// order, so that the result is the same for every number of workers. The
// observer hears everything on this thread: what an entry tells on a worker
// is passed on while this thread waits for it. A stop is also asked before
// each file is put under its name, and gives up the entries in flight.
#include <QByteArray>
#include <QHash>
#include <QList>
#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "engine/extract/ExtractEntry.h"
#include "engine/extract/ExtractReport.h"

namespace platform {
class WorkerPool;
}

namespace engine {

class ClsTreeDir;
class FileDecompressor;

class RunObserver : public EntryObserver {
 public:
  virtual void EntryStarting(const ClsTreeDir& /*entry*/) {}
  virtual void EntryDone(const ClsTreeDir& /*entry*/, const ExtractResult& /*result*/) {}
  // A stop was seen before the next entry; the run's clean-up follows.
  virtual void Stopping() {}
};

enum class RunEnd { Completed, Stopped, Failed };

struct RunReport {
  RunEnd end = RunEnd::Completed;
  int extracted = 0;
  int kept = 0;  // entries whose file stood there already and was kept
  SkippedEntries skipped;
  ExtractResult failure;  // what stopped a failed run
};

class ExtractionRun {
 public:
  // What a stop leaves: everything, or only the files that replaced one that
  // was there (the user's own file is gone then; removing the new one too
  // would lose both).
  enum class OnStop { KeepFiles, RemoveNewFiles };

  ExtractionRun(std::shared_ptr<const platform::ArchiveSource> archive, ExtractDestination& destination,
                RunObserver& observer, std::function<bool()> stopRequested, int workers = 1);
  // A run that checks every entry as extraction does and writes nothing.
  ExtractionRun(std::shared_ptr<const platform::ArchiveSource> archive, RunObserver& observer,
                std::function<bool()> stopRequested, int workers);
  ~ExtractionRun();

  // The stop is also asked between the pieces of an entry (on the workers'
  // threads, too): an entry it cuts short leaves nothing and the run ends
  // as stopped. Without it, an entry once started is finished.
  void StopWithinEntries() { stopWithinEntries_ = true; }

  // Each false when the destination failed; the report says why.
  bool OpenDestination();
  // Folder paths without the trailing "\" ("TEXT", "TEXT\ENGLISH"): a folder
  // the destination cannot hold is left for its entries to report.
  bool MakeFolders(const QList<QByteArray>& folderPaths);
  void Extract(const std::vector<const ClsTreeDir*>& entries, OnStop onStop);

  const RunReport& Report() const { return report_; }

 private:
  struct Job;
  using Jobs = std::deque<std::unique_ptr<Job>>;

  ExtractionRun(std::shared_ptr<const platform::ArchiveSource> archive, ExtractDestination* destination,
                RunObserver& observer, std::function<bool()> stopRequested, int workers);

  // folded: the entry's file name case-folded, when there is a destination.
  std::unique_ptr<Job> start(const ClsTreeDir& entry, const QString& folded, platform::WorkerPool& pool);
  bool mustWaitFor(const ClsTreeDir& entry, const QString& folded) const;
  void waitForOldest(platform::WorkerPool& pool, Jobs& jobs, std::size_t count);
  void abandon(platform::WorkerPool& pool, Jobs& jobs);
  // Each false when the run failed.
  bool finishOldest(platform::WorkerPool& pool, Jobs& jobs, OnStop onStop);
  bool finishDone(platform::WorkerPool& pool, Jobs& jobs, OnStop onStop);
  bool finishAll(platform::WorkerPool& pool, Jobs& jobs, OnStop onStop);
  void fail(const ExtractResult& failure);
  void removeNewFiles();

  std::shared_ptr<const platform::ArchiveSource> archive_;
  ExtractDestination* destination_;
  RunObserver& observer_;
  std::function<bool()> stopRequested_;
  bool stopWithinEntries_ = false;
  bool cutShort_ = false;                 // the stop cut an entry short, or the entries started ahead
  std::atomic<bool> abandoning_ = false;  // a stop gave up the entries in flight
  std::vector<std::unique_ptr<FileDecompressor>> decompressors_;  // one for each worker
  QHash<QString, int> pendingNames_;  // the case-folded names of the files not yet committed
  std::vector<ExtractResult> newFiles_;
  RunReport report_;
};

}  // namespace engine
