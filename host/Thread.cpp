#include "host/Thread.h"

#include <algorithm>
#include <atomic>

#include "host/APIError.h"
#include "host/APIInterface.h"

namespace px {

namespace {
std::atomic<int> s_running{0};
int s_processors = 0;  // read once per module lifetime
}  // namespace

Thread::Thread() = default;

Thread::~Thread() {
  if (started_) Wait();
  if (handle_ != nullptr && API != nullptr) API->Global.DestroyObject(handle_);
}

void Thread::Entry(void* self) {
  ++s_running;
  try {
    static_cast<Thread*>(self)->Run();
  } catch (...) {
  }
  --s_running;
}

void Thread::Start(int priority) {
  if (handle_ == nullptr) {
    handle_ = API->Thread.CreateThread(ModuleHandle(), &Thread::Entry, this);
    if (handle_ == nullptr) throw APIFunctionError("CreateThread");
  }
  if (!API->Thread.StartThread(handle_, priority)) throw APIFunctionError("StartThread");
  started_ = true;
}

void Thread::Wait() {
  if (!started_) return;
  API->Thread.WaitThread(handle_, 0xFFFFFFFFu);
  started_ = false;
}

int Thread::NumberOfRunningThreads() { return s_running.load(); }

int Thread::NumberOfThreads(size_t count, size_t /*overheadLimit*/) {
  if (count <= 1) return 1;
  if (s_processors == 0) {
    int32_t n = 1;
    if (!API->Global.GetGlobalInteger("System/NumberOfProcessors", &n))
      throw APIFunctionError("GetGlobalInteger");
    s_processors = std::max(1, int(n));
  }
  int available = s_processors - NumberOfRunningThreads();
  if (available <= 1) return 1;
  int allowed = API->Global.MaxProcessorsAllowedForModule(ModuleHandle());
  return std::max(1, std::min(available, int(allowed)));
}

std::vector<size_t> Thread::OptimalThreadLoads(size_t count, size_t overheadLimit, int maxThreads) {
  int n = std::min(NumberOfThreads(count, overheadLimit), std::max(1, maxThreads));
  std::vector<size_t> loads(size_t(n), count / size_t(n));
  for (size_t i = 0; i < count % size_t(n); ++i) ++loads[i];
  return loads;
}

}  // namespace px
