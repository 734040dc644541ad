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
  changed_.notify_all();
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
  {
    std::lock_guard lock(mutex_);
    given_.push_back(slot);
    toRun_.push_back(std::move(slot));
  }
  changed_.notify_all();
}

void WorkerPool::TakeOldest() {
  std::unique_lock lock(mutex_);
  if (given_.empty()) return;
  changed_.wait(lock, [this] { return given_.front()->done; });
  given_.pop_front();
}

int WorkerPool::Pending() const {
  std::lock_guard lock(mutex_);
  return static_cast<int>(given_.size());
}

void WorkerPool::work(int worker) {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return closing_ || !toRun_.empty(); });
    if (closing_) return;
    const std::shared_ptr<Slot> slot = std::move(toRun_.front());
    toRun_.pop_front();
    lock.unlock();
    slot->task(worker);
    lock.lock();
    slot->done = true;
    changed_.notify_all();
  }
}

}  // namespace platform
