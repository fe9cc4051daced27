#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "HostServicesFixture.h"
#include "hostapp/services/HostErrors.h"

namespace hostapp {
namespace {

// Work that blocks until released, so a test controls when a thread ends.
struct Gate {
  std::mutex m;
  std::condition_variable cv;
  bool open = false;
  void Open() {
    std::lock_guard<std::mutex> lock(m);
    open = true;
    cv.notify_all();
  }
  void Pass() {
    std::unique_lock<std::mutex> lock(m);
    cv.wait(lock, [this] { return open; });
  }
};

struct Work {
  std::atomic<int> runs{0};
  api_handle seenCurrent = nullptr;
  Gate* gate = nullptr;
  std::vector<std::u16string> lines;  // sent to the thread's console output
};

void Routine(void* data) {
  auto* work = static_cast<Work*>(data);
  work->seenCurrent = HOST_FN(Thread, GetCurrentThread)();
  for (const auto& line : work->lines)
    HOST_FN(Thread, AppendThreadConsoleOutputText)(work->seenCurrent, line.c_str(), 1);
  if (work->gate != nullptr) work->gate->Pass();
  ++work->runs;
}

constexpr uint32_t kForever = 0xFFFFFFFFu;

TEST(ThreadServices, RunsTheRoutineOnAWorkerThatKnowsItself) {
  Work work;
  api_handle thread = HOST_FN(Thread, CreateThread)(nullptr, &Routine, &work);
  ASSERT_NE(thread, nullptr);
  EXPECT_EQ(HOST_FN(Thread, GetCurrentThread)(), nullptr) << "the test's own thread is no host worker";
  ASSERT_EQ(HOST_FN(Thread, StartThread)(thread, 6), 1);
  ASSERT_EQ(HOST_FN(Thread, WaitThread)(thread, kForever), 1);
  EXPECT_EQ(work.runs, 1);
  EXPECT_EQ(work.seenCurrent, thread);

  // A finished thread can run again.
  ASSERT_EQ(HOST_FN(Thread, StartThread)(thread, 6), 1);
  ASSERT_EQ(HOST_FN(Thread, WaitThread)(thread, kForever), 1);
  EXPECT_EQ(work.runs, 2);
  HOST_FN(Global, DestroyObject)(thread);
}

TEST(ThreadServices, WaitTimesOutWhileTheWorkRunsAndAStartedThreadCannotStartTwice) {
  Gate gate;
  Work work;
  work.gate = &gate;
  api_handle thread = HOST_FN(Thread, CreateThread)(nullptr, &Routine, &work);
  ASSERT_EQ(HOST_FN(Thread, StartThread)(thread, 6), 1);
  EXPECT_EQ(HOST_FN(Thread, WaitThread)(thread, 20), 0);
  EXPECT_EQ(HOST_FN(Thread, StartThread)(thread, 6), 0);
  EXPECT_EQ(HOST_FN(Global, LastError)(), kHostErrorThread);
  gate.Open();
  EXPECT_EQ(HOST_FN(Thread, WaitThread)(thread, kForever), 1);
  EXPECT_EQ(work.runs, 1);
  HOST_FN(Global, DestroyObject)(thread);
}

TEST(ThreadServices, WorkerConsoleTextArrivesInOrderWhenTheThreadIsWaitedFor) {
  testing::RecordedConsole recorded;
  Gate gate;
  Work first, second;
  first.lines = {u"first 1", u"first 2"};
  second.lines = {u"second 1"};
  second.gate = &gate;
  api_handle a = HOST_FN(Thread, CreateThread)(nullptr, &Routine, &first);
  api_handle b = HOST_FN(Thread, CreateThread)(nullptr, &Routine, &second);
  ASSERT_EQ(HOST_FN(Thread, StartThread)(a, 6), 1);
  ASSERT_EQ(HOST_FN(Thread, StartThread)(b, 6), 1);
  ASSERT_EQ(HOST_FN(Thread, WaitThread)(a, kForever), 1);
  std::vector<ConsoleWrite> afterA = {{u"first 1", true, true}, {u"first 2", true, true}};
  EXPECT_EQ(recorded.Writes(), afterA) << "b's text must wait until b is waited for";

  gate.Open();
  // Releasing the handle waits for the work and shows what it wrote.
  HOST_FN(Global, DestroyObject)(b);
  afterA.push_back({u"second 1", true, true});
  EXPECT_EQ(recorded.Writes(), afterA);
  EXPECT_EQ(second.runs, 1);
  HOST_FN(Global, DestroyObject)(a);
}

TEST(ThreadServices, WrongHandlesAreRefused) {
  int notAThread = 0;
  api_handle console = HOST_FN(Global, GetConsole)();
  for (api_handle bad : {static_cast<api_handle>(nullptr), static_cast<api_handle>(&notAThread), console}) {
    ClearHostError();
    EXPECT_EQ(HOST_FN(Thread, StartThread)(bad, 6), 0);
    EXPECT_EQ(HOST_FN(Global, LastError)(), kHostErrorInvalidHandle);
    EXPECT_EQ(HOST_FN(Thread, WaitThread)(bad, 0), 0);
    HOST_FN(Thread, AppendThreadConsoleOutputText)(bad, u"x", 1);
  }
  ClearHostError();
  EXPECT_EQ(HOST_FN(Thread, CreateThread)(nullptr, nullptr, nullptr), nullptr);
  EXPECT_EQ(HOST_FN(Global, LastError)(), kHostErrorInvalidArgument);

  // A released thread handle is stale.
  Work work;
  api_handle thread = HOST_FN(Thread, CreateThread)(nullptr, &Routine, &work);
  HOST_FN(Global, DestroyObject)(thread);
  ClearHostError();
  EXPECT_EQ(HOST_FN(Thread, StartThread)(thread, 6), 0);
  EXPECT_EQ(HOST_FN(Global, LastError)(), kHostErrorInvalidHandle);
  EXPECT_EQ(work.runs, 0);
}

}  // namespace
}  // namespace hostapp
