#include "hostapp/services/HostThread.h"

#include <chrono>
#include <system_error>

#include "hostapp/console/HostConsole.h"

namespace hostapp {

namespace {
thread_local HostThread* t_current = nullptr;
}

HostThread::HostThread(api_thread_routine routine, void* data) : routine_(routine), data_(data) {}

HostThread::~HostThread() { Wait(0xFFFFFFFFu); }

HostThread* HostThread::Current() { return t_current; }

bool HostThread::Start(int priority) {
  std::lock_guard<std::mutex> join(joinMutex_);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (running_) return false;
  }
  // A previous run that ended but was never waited for.
  if (thread_.joinable()) thread_.join();
  {
    std::lock_guard<std::mutex> lock(mutex_);
    running_ = true;
    priority_ = priority;
  }
  try {
    thread_ = std::thread(&HostThread::Run, this);
  } catch (const std::system_error&) {
    std::lock_guard<std::mutex> lock(mutex_);
    running_ = false;
    return false;
  }
  return true;
}

void HostThread::Run() {
  t_current = this;
  try {
    routine_(data_);
  } catch (...) {
    // Nothing may escape a thread; the module catches its own errors.
  }
  t_current = nullptr;
  std::lock_guard<std::mutex> lock(mutex_);
  running_ = false;
  ended_.notify_all();
}

bool HostThread::Wait(uint32_t timeoutMs) {
  {
    std::unique_lock<std::mutex> lock(mutex_);
    auto done = [this] { return !running_; };
    if (timeoutMs == 0xFFFFFFFFu) {
      ended_.wait(lock, done);
    } else if (!ended_.wait_for(lock, std::chrono::milliseconds(timeoutMs), done)) {
      return false;
    }
  }
  JoinAndFlush();
  return true;
}

void HostThread::JoinAndFlush() {
  {
    std::lock_guard<std::mutex> join(joinMutex_);
    if (thread_.joinable()) thread_.join();
  }
  std::vector<Output> output;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    output.swap(output_);
  }
  for (const Output& o : output) HostConsole::Instance().Write(o.text, o.newline, true);
}

bool HostThread::IsRunning() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return running_;
}

int HostThread::Priority() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return priority_;
}

void HostThread::AppendConsoleText(std::u16string_view text, bool newline) {
  std::lock_guard<std::mutex> lock(mutex_);
  output_.push_back(Output{std::u16string(text), newline});
}

}  // namespace hostapp
