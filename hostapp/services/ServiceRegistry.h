// The table of host functions by "Group/Function" name that the resolver
// serves. Each service file fills it through its Register...Services function;
// the resolver calls them explicitly (no static registration, which does not
// survive static linking).
#ifndef TRVX_HOSTAPP_SERVICES_SERVICEREGISTRY_H
#define TRVX_HOSTAPP_SERVICES_SERVICEREGISTRY_H

#include <map>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "host/HostAPI.h"

namespace hostapp {

class ServiceRegistry {
 public:
  // Adds `function` under `name`. Throws std::logic_error when the name is not
  // declared in host/HostAPI.h or is already registered (both are host bugs).
  void Add(const char* name, void* function);

  // The function registered under `name`, or null.
  void* Find(std::string_view name) const;

  // Registered names in ascending byte order.
  std::vector<std::string> Names() const;

 private:
  std::map<std::string, void*, std::less<>> functions_;
};

// Every "Group/Function" name declared in host/HostAPI.h, in byte order.
const std::vector<std::string>& DeclaredHostFunctionNames();

// Registers `impl` as "Group/Function". Compilation fails unless `impl` has
// exactly the declared type HostAPI_<Group>_<Function>_fn.
#define HOSTAPP_REGISTER(registry, Group, Function, impl)                                    \
  do {                                                                                       \
    static_assert(std::is_same_v<decltype(&impl), HostAPI_##Group##_##Function##_fn>,        \
                  #impl " does not have the declared type of " #Group "/" #Function);        \
    (registry).Add(#Group "/" #Function, reinterpret_cast<void*>(&impl));                    \
  } while (false)

// The service groups. The first three live in hostapp/services; definition
// and process services come with the module loader.
void RegisterGlobalServices(ServiceRegistry& registry);
void RegisterFileFormatServices(ServiceRegistry& registry);
void RegisterThreadServices(ServiceRegistry& registry);
void RegisterDefinitionServices(ServiceRegistry& registry);
void RegisterProcessServices(ServiceRegistry& registry);

}  // namespace hostapp

#endif
