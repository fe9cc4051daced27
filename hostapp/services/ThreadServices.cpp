// "Thread/..." services on HostThread.
#include "hostapp/services/HandleTable.h"
#include "hostapp/services/HostErrors.h"
#include "hostapp/services/HostThread.h"
#include "hostapp/services/ServiceRegistry.h"

namespace hostapp {

namespace {

HostThread* ThreadOf(api_handle handle) {
  if (!HandleTable::Is(handle, HandleKind::Thread)) {
    SetHostError(kHostErrorInvalidHandle, std::string("Invalid thread handle"));
    return nullptr;
  }
  return static_cast<HostThread*>(handle);
}

void AppendThreadConsoleOutputText(api_handle thread, const char16_t* text, api_bool newline) {
  HostThread* t = ThreadOf(thread);
  if (t == nullptr) return;
  t->AppendConsoleText(text != nullptr ? std::u16string_view(text) : std::u16string_view(),
                       newline != 0);
}

api_handle CreateThread(api_handle /*module*/, api_thread_routine routine, void* data) {
  if (routine == nullptr) {
    SetHostError(kHostErrorInvalidArgument, std::string("Null thread routine"));
    return nullptr;
  }
  auto* t = new HostThread(routine, data);
  HandleTable::Add(t, HandleKind::Thread, [t] { delete t; });
  return t;
}

api_handle GetCurrentThread() { return HostThread::Current(); }

api_bool StartThread(api_handle thread, int32_t priority) {
  HostThread* t = ThreadOf(thread);
  if (t == nullptr) return 0;
  if (!t->Start(priority)) {
    SetHostError(kHostErrorThread, std::string(t->IsRunning() ? "Thread is already running"
                                                              : "Unable to start thread"));
    return 0;
  }
  return 1;
}

api_bool WaitThread(api_handle thread, uint32_t timeoutMs) {
  HostThread* t = ThreadOf(thread);
  if (t == nullptr) return 0;
  if (t == HostThread::Current()) {
    SetHostError(kHostErrorState, std::string("A thread cannot wait for itself"));
    return 0;
  }
  return t->Wait(timeoutMs) ? 1 : 0;
}

}  // namespace

void RegisterThreadServices(ServiceRegistry& registry) {
  HOSTAPP_REGISTER(registry, Thread, AppendThreadConsoleOutputText, AppendThreadConsoleOutputText);
  HOSTAPP_REGISTER(registry, Thread, CreateThread, CreateThread);
  HOSTAPP_REGISTER(registry, Thread, GetCurrentThread, GetCurrentThread);
  HOSTAPP_REGISTER(registry, Thread, StartThread, StartThread);
  HOSTAPP_REGISTER(registry, Thread, WaitThread, WaitThread);
}

}  // namespace hostapp
