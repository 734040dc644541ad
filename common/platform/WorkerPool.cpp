#include "common/platform/WorkerPool.h"

#include <algorithm>

namespace platform {

WorkerPool::WorkerPool(int workers) : workers_(std::max(1, workers)) {
  if (workers_ == 1) return;
  for (int worker = 0; worker < workers_; ++worker) threads_.emplace_back([this, worker] { work(worker); });
}

WorkerPool::~WorkerPool() {
  {
    std::lock_guard lock(mutex_);
    closing_ = true;
    toRun_.clear();
  }
  workReady_.notify_all();
  for (std::thread& thread : threads_) thread.join();
}

void WorkerPool::Submit(Task task) {
  auto slot = std::make_shared<Slot>(Slot{std::move(task)});
  if (threads_.empty()) {
    slot->task(0);
    slot->done = true;
    given_.push_back(std::move(slot));
    return;
  }
  bool wake = false;
  {
    std::lock_guard lock(mutex_);
    given_.push_back(slot);
    toRun_.push_back(std::move(slot));
    wake = idleWorkers_ > 0;
  }
  if (wake) workReady_.notify_one();
}

void WorkerPool::TakeOldest() {
  WaitForOldest(1);
  std::lock_guard lock(mutex_);
  if (!given_.empty()) given_.pop_front();
}

bool WorkerPool::OldestDone() {
  std::lock_guard lock(mutex_);
  return !given_.empty() && given_.front()->done;
}

void WorkerPool::WaitForOldest(std::size_t count) {
  while (!WaitForOldest(count, std::chrono::hours(1))) {
  }
}

bool WorkerPool::WaitForOldest(std::size_t count, std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  count = std::min(count, given_.size());
  giverWants_ = count;
  const bool done = oldestDone_.wait_for(lock, timeout, [this, count] { return oldestDone(count); });
  giverWants_ = 0;
  return done;
}

bool WorkerPool::oldestDone(std::size_t count) const {
  for (std::size_t i = 0; i < count; ++i)
    if (!given_[i]->done) return false;
  return true;
}

void WorkerPool::work(int worker) {
  std::unique_lock lock(mutex_);
  for (;;) {
    ++idleWorkers_;
    workReady_.wait(lock, [this] { return closing_ || !toRun_.empty(); });
    --idleWorkers_;
    if (closing_) return;
    const std::shared_ptr<Slot> slot = std::move(toRun_.front());
    toRun_.pop_front();
    lock.unlock();
    slot->task(worker);
    lock.lock();
    slot->done = true;
    if (giverWants_ > 0 && oldestDone(giverWants_)) oldestDone_.notify_one();
  }
}

}  // namespace platform
