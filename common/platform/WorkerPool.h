#pragma once
// A few threads that run tasks in the order they were given, and hand them
// back in that order to the thread that gave them. With one worker a task
// runs at once on the giving thread: a single-worker user starts no thread.
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace platform {

class WorkerPool {
 public:
  // The worker's number (0 ... workers - 1), for state each worker keeps.
  using Task = std::function<void(int worker)>;

  explicit WorkerPool(int workers);
  // Tasks not yet started are dropped; the running ones are waited for.
  ~WorkerPool();
  WorkerPool(const WorkerPool&) = delete;
  WorkerPool& operator=(const WorkerPool&) = delete;

  int Workers() const { return workers_; }
  // A task must not throw.
  void Submit(Task task);
  // Waits until the oldest task given and not yet taken back has run.
  void TakeOldest();
  // Whether it has run already, so that TakeOldest would not wait.
  bool OldestDone();
  // Waits until the oldest count tasks (or all, when fewer are out) have run,
  // so that the giver wakes once for many tasks.
  void WaitForOldest(std::size_t count);
  // The same for at most the time given: whether they have run.
  bool WaitForOldest(std::size_t count, std::chrono::milliseconds timeout);

 private:
  struct Slot {
    Task task;
    bool done = false;
  };
  void work(int worker);
  bool oldestDone(std::size_t count) const;

  int workers_;
  std::mutex mutex_;
  // Wake-ups cost more than a small task: a worker is woken only when one
  // waits idle, the giver only when the task it waits for is done.
  std::condition_variable workReady_;
  std::condition_variable oldestDone_;
  int idleWorkers_ = 0;
  std::size_t giverWants_ = 0;  // the oldest tasks the giver waits for, 0 when it does not wait
  std::deque<std::shared_ptr<Slot>> toRun_;
  std::deque<std::shared_ptr<Slot>> given_;
  bool closing_ = false;
  std::vector<std::thread> threads_;
};

}  // namespace platform
