// Module threads through the in-process stand-in host, and how work is sized
// over the processors the host allows this module.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <numeric>
#include <vector>

#include "host/Thread.h"
#include "hostapp/services/GlobalServices.h"
#include "support/InProcessHost.h"

namespace px {
namespace {

class ModuleThreads : public ::testing::Test {
 protected:
  void SetUp() override { trvx::test::InProcessHost::Bind(); }
  void TearDown() override { hostapp::SetMaxProcessorsAllowedForModule(0); }
  const int processors = hostapp::NumberOfProcessors();
};

TEST_F(ModuleThreads, LoadsSplitTheItemsAndRespectEveryLimit) {
  struct Case {
    size_t items;
    int allowed;     // host's limit for the module
    int maxThreads;  // caller's limit
  } cases[] = {{0, 8, 8}, {1, 8, 8}, {5, 8, 1}, {5, 1, 8}, {5, 8, 8}, {7, 2, 3}, {2, 8, 8}};
  for (const Case& c : cases) {
    hostapp::SetMaxProcessorsAllowedForModule(c.allowed);
    std::vector<size_t> loads = Thread::OptimalThreadLoads(c.items, 1, c.maxThreads);
    size_t expectedThreads =
        c.items <= 1 ? 1 : size_t(std::min({processors > 1 ? std::min(processors, c.allowed) : 1, c.maxThreads}));
    ASSERT_EQ(loads.size(), expectedThreads) << c.items << " items";
    EXPECT_EQ(std::accumulate(loads.begin(), loads.end(), size_t(0)), c.items);
    // Every thread gets items/n and the first items%n one more.
    for (size_t t = 0; t < loads.size(); ++t)
      EXPECT_EQ(loads[t], c.items / loads.size() + (t < c.items % loads.size() ? 1 : 0));
  }
}

// Runs until released, so the test can look at the module's running count.
class BlockingThread : public Thread {
 public:
  void Release() {
    std::lock_guard<std::mutex> lock(mutex_);
    released_ = true;
    cv_.notify_all();
  }
  void WaitStarted() {
    std::unique_lock<std::mutex> lock(mutex_);
    cv_.wait(lock, [&] { return started_; });
  }
  std::atomic<bool> ran{false};

 protected:
  void Run() override {
    std::unique_lock<std::mutex> lock(mutex_);
    started_ = true;
    cv_.notify_all();
    cv_.wait(lock, [&] { return released_; });
    ran = true;
  }

 private:
  std::mutex mutex_;
  std::condition_variable cv_;
  bool started_ = false;
  bool released_ = false;
};

TEST_F(ModuleThreads, RunningThreadsAreCountedAndLowerTheAvailableThreads) {
  hostapp::SetMaxProcessorsAllowedForModule(64);
  int idle = Thread::NumberOfThreads(100);
  EXPECT_EQ(idle, std::max(1, processors));
  BlockingThread t;
  t.Start();
  t.WaitStarted();
  EXPECT_EQ(Thread::NumberOfRunningThreads(), 1);
  EXPECT_EQ(Thread::NumberOfThreads(100), std::max(1, processors - 1));
  t.Release();
  t.Wait();
  EXPECT_TRUE(t.ran);
  EXPECT_EQ(Thread::NumberOfRunningThreads(), 0);
}

}  // namespace
}  // namespace px
