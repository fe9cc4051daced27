// A module thread run by the host ("Thread/..." services), and the sizing of
// parallel work over the processors the host allows this module.
#ifndef TRVX_HOST_THREAD_H
#define TRVX_HOST_THREAD_H

#include <cstddef>
#include <vector>

#include "host/HostAPI.h"

namespace px {

// Derive and implement Run(). Run() must not throw: anything escaping it is
// swallowed at the thread's boundary. Not copyable. The destructor waits for
// a started thread before releasing the host handle.
class Thread {
 public:
  Thread();
  virtual ~Thread();
  Thread(const Thread&) = delete;
  Thread& operator=(const Thread&) = delete;

  // Starts the thread with a host priority. Throws APIFunctionError
  // ("CreateThread", "StartThread") when the host cannot.
  void Start(int priority = 6);
  // Returns when the thread's work has ended (no time limit). No-op when the
  // thread was never started.
  void Wait();

  // Threads available for `count` work items: 1 for count <= 1; otherwise the
  // host's processor count (read once) less this module's running threads,
  // capped at the host's limit for this module, and at least 1.
  static int NumberOfThreads(size_t count, size_t overheadLimit = 1);
  // Items per thread for `count` items over at most `maxThreads` threads:
  // count / n each and one more for the first count % n threads.
  static std::vector<size_t> OptimalThreadLoads(size_t count, size_t overheadLimit = 1,
                                                int maxThreads = 0x7FFFFFFF);
  // Module threads whose work is currently running.
  static int NumberOfRunningThreads();

 protected:
  virtual void Run() = 0;

 private:
  static void Entry(void* self);
  api_handle handle_ = nullptr;
  bool started_ = false;
};

}  // namespace px

#endif
