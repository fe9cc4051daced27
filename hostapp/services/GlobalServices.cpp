// "Global/..." services: console, errors, settings and object release.
#include "hostapp/services/GlobalServices.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <thread>

#include "hostapp/console/HostConsole.h"
#include "hostapp/services/HandleTable.h"
#include "hostapp/services/HostErrors.h"
#include "hostapp/services/ServiceRegistry.h"

namespace hostapp {

namespace {

std::atomic<int> s_maxProcessors{0};

HostConsole* ConsoleOf(api_handle handle) {
  if (!HandleTable::Is(handle, HandleKind::Console)) {
    SetHostError(kHostErrorInvalidHandle, std::string("Invalid console handle"));
    return nullptr;
  }
  return static_cast<HostConsole*>(handle);
}

void DestroyObject(api_handle object) {
  if (!HandleTable::Destroy(object))
    SetHostError(kHostErrorInvalidHandle, std::string("Invalid object handle"));
}

api_bool ErrorMessage(uint32_t code, char16_t* buffer, api_size* length) {
  if (length == nullptr) {
    SetHostError(kHostErrorInvalidArgument, std::string("Null length"));
    return 0;
  }
  std::u16string text = HostErrorMessage(code);
  if (text.empty()) return 0;
  if (buffer == nullptr) {
    *length = text.size() + 1;
    return 1;
  }
  if (*length == 0) return 0;
  size_t n = std::min<api_size>(text.size(), *length - 1);
  std::memcpy(buffer, text.data(), n * sizeof(char16_t));
  buffer[n] = 0;
  return 1;
}

api_handle GetConsole() {
  HostConsole& console = HostConsole::Instance();
  HandleTable::Add(&console, HandleKind::Console);
  return &console;
}

api_bool GetGlobalInteger(const char* key, int32_t* value) {
  if (key == nullptr || value == nullptr) {
    SetHostError(kHostErrorInvalidArgument, std::string("Null key or value"));
    return 0;
  }
  if (std::strcmp(key, "System/NumberOfProcessors") == 0) {
    *value = NumberOfProcessors();
    return 1;
  }
  SetHostError(kHostErrorInvalidArgument, std::string("Unknown global setting: ") + key);
  return 0;
}

uint32_t LastError() { return LastHostError(); }

int32_t MaxProcessorsAllowed(api_handle /*module*/) { return MaxProcessorsAllowedForModule(); }

api_bool ShowConsole(api_handle console, api_bool show) {
  HostConsole* c = ConsoleOf(console);
  if (c == nullptr) return 0;
  if (show) c->Show();
  return 1;
}

api_bool WriteConsole(api_handle console, const char16_t* text, api_bool newline) {
  HostConsole* c = ConsoleOf(console);
  if (c == nullptr) return 0;
  if (text == nullptr) {
    SetHostError(kHostErrorInvalidArgument, std::string("Null console text"));
    return 0;
  }
  c->Write(text, newline != 0);
  return 1;
}

}  // namespace

int NumberOfProcessors() {
  unsigned n = std::thread::hardware_concurrency();
  return n == 0 ? 1 : int(n);
}

void SetMaxProcessorsAllowedForModule(int n) { s_maxProcessors = n > 0 ? n : 0; }

int MaxProcessorsAllowedForModule() {
  int n = s_maxProcessors.load();
  return n > 0 ? n : NumberOfProcessors();
}

void RegisterGlobalServices(ServiceRegistry& registry) {
  HOSTAPP_REGISTER(registry, Global, DestroyObject, DestroyObject);
  HOSTAPP_REGISTER(registry, Global, ErrorMessage, ErrorMessage);
  HOSTAPP_REGISTER(registry, Global, GetConsole, GetConsole);
  HOSTAPP_REGISTER(registry, Global, GetGlobalInteger, GetGlobalInteger);
  HOSTAPP_REGISTER(registry, Global, LastError, LastError);
  HOSTAPP_REGISTER(registry, Global, MaxProcessorsAllowedForModule, MaxProcessorsAllowed);
  HOSTAPP_REGISTER(registry, Global, ShowConsole, ShowConsole);
  HOSTAPP_REGISTER(registry, Global, WriteConsole, WriteConsole);
}

}  // namespace hostapp
