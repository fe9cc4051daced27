#include "hostapp/services/Resolver.h"

#include <mutex>
#include <set>

#include "hostapp/services/ServiceRegistry.h"

namespace hostapp {

namespace {

const ServiceRegistry& Registry() {
  static const ServiceRegistry registry = [] {
    ServiceRegistry r;
    RegisterFileFormatServices(r);
    RegisterGlobalServices(r);
    RegisterThreadServices(r);
    // The module loader's groups register here, one line each.
    RegisterDefinitionServices(r);
    RegisterProcessServices(r);
    return r;
  }();
  return registry;
}

std::mutex s_hiddenMutex;
std::set<std::string, std::less<>> s_hidden;

}  // namespace

void* ResolveHostFunction(const char* name) {
  if (name == nullptr) return nullptr;
  {
    std::lock_guard<std::mutex> lock(s_hiddenMutex);
    if (s_hidden.count(std::string_view(name)) != 0) return nullptr;
  }
  return Registry().Find(name);
}

std::vector<std::string> ImplementedHostFunctionNames() { return Registry().Names(); }

void HideHostFunction(const std::string& name) {
  std::lock_guard<std::mutex> lock(s_hiddenMutex);
  s_hidden.insert(name);
}

void ShowHostFunction(const std::string& name) {
  std::lock_guard<std::mutex> lock(s_hiddenMutex);
  s_hidden.erase(name);
}

void ShowAllHostFunctions() {
  std::lock_guard<std::mutex> lock(s_hiddenMutex);
  s_hidden.clear();
}

bool IsHostFunctionHidden(const std::string& name) {
  std::lock_guard<std::mutex> lock(s_hiddenMutex);
  return s_hidden.count(name) != 0;
}

}  // namespace hostapp
