#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "common/platform/WorkerPool.h"

namespace {

TEST(WorkerPool, TasksComeBackInTheOrderGivenWhateverTheOrderTheyEnd) {
  std::vector<int> finished(40, -1);
  std::atomic<int> order{0};
  platform::WorkerPool pool(4);
  for (int task = 0; task < 40; ++task)
    pool.Submit([&, task](int worker) {
      ASSERT_GE(worker, 0);
      ASSERT_LT(worker, 4);
      // Early tasks take longest, so later ones overtake them.
      std::this_thread::sleep_for(std::chrono::microseconds((40 - task) * 50));
      finished[task] = order++;
    });
  for (int task = 0; task < 40; ++task) {
    pool.TakeOldest();
    EXPECT_GE(finished[task], 0) << "task " << task << " was handed back before it ran";
  }
}

TEST(WorkerPool, OneWorkerRunsEachTaskAtOnceOnTheGivingThread) {
  const std::thread::id giver = std::this_thread::get_id();
  platform::WorkerPool pool(1);
  bool ran = false;
  pool.Submit([&](int worker) {
    EXPECT_EQ(worker, 0);
    EXPECT_EQ(std::this_thread::get_id(), giver);
    ran = true;
  });
  EXPECT_TRUE(ran);
  EXPECT_TRUE(pool.OldestDone());
}

}  // namespace
