#include "engine/extract/ExtractionRun.h"

#include <QStringList>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>

#include "common/platform/WorkerPool.h"
#include "engine/archive/ClsTreeDir.h"
#include "engine/archive/CommonFunctions.h"
#include "engine/extract/ExtractErrors.h"
#include "engine/extract/FileDecompressor.h"

namespace engine {
namespace {

// Entries started ahead of the oldest one still running, per worker: enough to
// keep the workers busy, few enough to bound the hidden files in flight, each
// of which holds a descriptor (its lock) until it is committed. A waiting
// entry holds no buffer.
constexpr std::size_t JobsPerWorker = 16;
constexpr std::size_t MaxJobs = 256;
// How often this thread, waiting for a worker, passes on what its entry tells.
constexpr std::chrono::milliseconds RelayEvery{20};

QString foldedName(const ClsTreeDir& entry) { return FoldedName(GetFileName(entry.Filename)); }

// What a worker tells of its entry, kept until the run's thread passes it on:
// every status text, in order, and whether work went on since.
class Relay : public EntryObserver {
 public:
  void EntryStatus(const QString& text) override {
    const std::lock_guard lock(mutex_);
    texts_ << text;
  }
  void Working() override { working_ = true; }

  void PassOn(EntryObserver& observer) {
    QStringList texts;
    {
      const std::lock_guard lock(mutex_);
      texts.swap(texts_);
    }
    for (const QString& text : texts) observer.EntryStatus(text);
    if (working_.exchange(false) && texts.isEmpty()) observer.Working();
  }

 private:
  std::mutex mutex_;
  QStringList texts_;
  std::atomic<bool> working_ = false;
};

}  // namespace

struct ExtractionRun::Job {
  Job(const ClsTreeDir& of, const platform::ArchiveSource& archive) : entry(of), copy(of, archive) {}
  const ClsTreeDir& entry;
  EntryCopy copy;
  ExtractResult result;
  bool settled = false;        // skipped or failed already: nothing more to do
  bool failedAtStart = false;  // the destination failed before the body was given to a worker
  QString pendingName;         // the file's case-folded name until it is committed
  Relay relay;                 // what the entry tells on a worker's thread
};

ExtractionRun::ExtractionRun(std::shared_ptr<const platform::ArchiveSource> archive,
                             ExtractDestination& destination, RunObserver& observer,
                             std::function<bool()> stopRequested, int workers)
    : ExtractionRun(std::move(archive), &destination, observer, std::move(stopRequested), workers) {}

ExtractionRun::ExtractionRun(std::shared_ptr<const platform::ArchiveSource> archive, RunObserver& observer,
                             std::function<bool()> stopRequested, int workers)
    : ExtractionRun(std::move(archive), nullptr, observer, std::move(stopRequested), workers) {}

ExtractionRun::ExtractionRun(std::shared_ptr<const platform::ArchiveSource> archive,
                             ExtractDestination* destination, RunObserver& observer,
                             std::function<bool()> stopRequested, int workers)
    : archive_(std::move(archive)),
      destination_(destination),
      observer_(observer),
      stopRequested_(std::move(stopRequested)),
      decompressors_(std::max(1, workers)) {}

ExtractionRun::~ExtractionRun() = default;

bool ExtractionRun::OpenDestination() {
  try {
    destination_->Root();
    return true;
  } catch (const DestinationError& error) {
    fail(ExtractResult::Failure(error.file(), error.reason()));
    return false;
  }
}

bool ExtractionRun::MakeFolders(const QList<QByteArray>& folderPaths) {
  for (const QByteArray& folder : folderPaths) {
    try {
      destination_->FolderOf(folder + '\\');
    } catch (const EntryDataError&) {
    } catch (const DestinationError& error) {
      fail(ExtractResult::Failure(error.file(), error.reason()));
      return false;
    }
  }
  return true;
}

// With one worker, a stop seen after the last entry has started does not stop
// the run, unless it cut an entry short.
void ExtractionRun::Extract(const std::vector<const ClsTreeDir*>& entries, OnStop onStop) {
  Jobs jobs;  // before the pool, which stops its tasks before the jobs go
  platform::WorkerPool pool(static_cast<int>(decompressors_.size()));
  const std::size_t window = pool.Workers() == 1 ? 1 : std::min(JobsPerWorker * pool.Workers(), MaxJobs);
  pendingNames_.clear();
  bool stopped = false;
  for (const ClsTreeDir* entry : entries) {
    const QString folded = destination_ ? foldedName(*entry) : QString();
    if (mustWaitFor(*entry, folded) && !finishAll(pool, jobs, onStop)) return;
    // After the wait, so that no folder is made for an entry once stopped.
    stopped = stopRequested_();
    if (stopped) break;
    observer_.EntryStarting(*entry);
    jobs.push_back(start(*entry, folded, pool));
    if (jobs.back()->failedAtStart) break;
    if (jobs.size() >= window && !finishDone(pool, jobs, onStop)) return;
  }
  if (!finishAll(pool, jobs, onStop) || !(stopped || cutShort_)) return;
  report_.end = RunEnd::Stopped;
  observer_.Stopping();
  if (onStop == OnStop::RemoveNewFiles) removeNewFiles();
}

// The entry is checked and its name resolved here; its body goes to a worker.
std::unique_ptr<ExtractionRun::Job> ExtractionRun::start(const ClsTreeDir& entry, const QString& folded,
                                                         platform::WorkerPool& pool) {
  auto job = std::make_unique<Job>(entry, *archive_);
  Job& running = *job;
  if (stopWithinEntries_) running.copy.StopWhen(stopRequested_);
  running.result = Settled([&] {
    running.copy.Prepare(destination_);
    return ExtractResult{};
  });
  running.settled = running.result.outcome != ExtractOutcome::Extracted;
  running.failedAtStart = running.result.outcome == ExtractOutcome::WriteFailed;
  if (!running.settled && destination_) {
    running.pendingName = folded;
    ++pendingNames_[running.pendingName];
  }
  EntryObserver& observer = pool.Workers() == 1 ? static_cast<EntryObserver&>(observer_) : running.relay;
  pool.Submit([this, &running, &observer](int worker) {
    if (running.settled || abandoning_) return;
    running.result = Settled([&] {
      running.copy.WriteBody(decompressors_[worker], observer);
      return ExtractResult{};
    });
    running.settled = running.result.outcome != ExtractOutcome::Extracted;
  });
  return job;
}

// Done one after the other, the entries would see every earlier file under
// its name before their own folder and name are looked at. An entry whose
// folder has not been resolved yet, or whose name a waiting file will take,
// therefore waits until every earlier file is in place. So no folder is made
// or read while a file waits, and what stands under a waiting entry's name
// (checked by its worker) is what it would be one entry after the other.
bool ExtractionRun::mustWaitFor(const ClsTreeDir& entry, const QString& folded) const {
  if (pendingNames_.isEmpty()) return false;
  return !destination_->Knows(entry) || pendingNames_.contains(folded);
}

// Meanwhile this thread passes on what the oldest entry tells, so that a large
// one shows its pieces as it does with one worker.
void ExtractionRun::waitForOldest(platform::WorkerPool& pool, Jobs& jobs, std::size_t count) {
  if (pool.Workers() == 1) return;  // its tasks have run already
  while (!pool.WaitForOldest(count, RelayEvery)) jobs.front()->relay.PassOn(observer_);
  jobs.front()->relay.PassOn(observer_);
}

// With entries started ahead, the stop is asked before each is put in place:
// what a stop leaves is then what it leaves with one worker, the entries
// before the one it was seen at.
bool ExtractionRun::finishOldest(platform::WorkerPool& pool, Jobs& jobs, OnStop onStop) {
  if (pool.Workers() > 1 && stopRequested_()) {
    abandon(pool, jobs);
    return true;
  }
  waitForOldest(pool, jobs, 1);
  pool.TakeOldest();
  const std::unique_ptr<Job> job = std::move(jobs.front());
  jobs.pop_front();
  if (!job->pendingName.isEmpty() && --pendingNames_[job->pendingName] == 0)
    pendingNames_.remove(job->pendingName);
  ExtractResult result = job->settled ? std::move(job->result) : Settled([&] { return job->copy.Commit(); });
  if (result.outcome == ExtractOutcome::Stopped) {
    cutShort_ = true;
    return true;
  }
  if (result.outcome == ExtractOutcome::WriteFailed) {
    fail(result);
    return false;
  }
  if (result.outcome == ExtractOutcome::Skipped) report_.skipped.Add(job->entry.Filename, result.reason);
  if (result.outcome == ExtractOutcome::Extracted) ++report_.extracted;
  if (result.outcome == ExtractOutcome::Kept) ++report_.kept;
  observer_.EntryDone(job->entry, result);
  if (onStop == OnStop::RemoveNewFiles && result.outcome == ExtractOutcome::Extracted && !result.replaced)
    newFiles_.push_back(std::move(result));
  return true;
}

// The older half of the entries in flight, and every entry done after them:
// waking this thread once for many entries costs less than once for each.
bool ExtractionRun::finishDone(platform::WorkerPool& pool, Jobs& jobs, OnStop onStop) {
  waitForOldest(pool, jobs, jobs.size() / 2);
  do {
    if (!finishOldest(pool, jobs, onStop)) return false;
  } while (!jobs.empty() && pool.OldestDone());
  return true;
}

bool ExtractionRun::finishAll(platform::WorkerPool& pool, Jobs& jobs, OnStop onStop) {
  while (!jobs.empty())
    if (!finishOldest(pool, jobs, onStop)) return false;
  return true;
}

// Nothing of the entries in flight stays: their hidden files go with them.
void ExtractionRun::abandon(platform::WorkerPool& pool, Jobs& jobs) {
  abandoning_ = true;
  while (!jobs.empty()) {
    pool.TakeOldest();
    jobs.pop_front();
  }
  pendingNames_.clear();
  cutShort_ = true;
}

void ExtractionRun::fail(const ExtractResult& failure) {
  report_.end = RunEnd::Failed;
  report_.failure = failure;
}

void ExtractionRun::removeNewFiles() {
  for (const ExtractResult& file : newFiles_) file.folder.handle->Remove(file.name);
  newFiles_.clear();
}

}  // namespace engine
