// A host worker thread as "Thread/CreateThread" hands it out: runs a module
// routine on a std::thread, and collects the console text the routine sends
// while it runs, which reaches the console when the thread is waited for.
// Thread-safe.
#ifndef TRVX_HOSTAPP_SERVICES_HOSTTHREAD_H
#define TRVX_HOSTAPP_SERVICES_HOSTTHREAD_H

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "host/HostAPI.h"

namespace hostapp {

class HostThread {
 public:
  // REQUIRES: routine != null.
  HostThread(api_thread_routine routine, void* data);
  // Waits for running work and shows its collected console text.
  ~HostThread();
  HostThread(const HostThread&) = delete;
  HostThread& operator=(const HostThread&) = delete;

  // Runs the routine on a new thread. False when it is still running or the
  // system cannot start a thread. A finished thread may be started again.
  bool Start(int priority);

  // Waits up to timeoutMs (0xFFFFFFFF: no limit) for the work to end. True
  // when it has ended, or was never started; the collected console text is
  // then written to the host console, in order. False on timeout.
  bool Wait(uint32_t timeoutMs);

  bool IsRunning() const;
  int Priority() const;

  // Console text sent on this thread while it runs.
  void AppendConsoleText(std::u16string_view text, bool newline);

  // The host thread running the caller, or null outside host worker threads.
  static HostThread* Current();

 private:
  struct Output {
    std::u16string text;
    bool newline;
  };
  void Run();
  void JoinAndFlush();

  api_thread_routine routine_;
  void* data_;
  mutable std::mutex mutex_;
  std::condition_variable ended_;
  bool running_ = false;
  int priority_ = 0;
  std::vector<Output> output_;
  std::mutex joinMutex_;
  std::thread thread_;
};

}  // namespace hostapp

#endif
