// The stand-in host's resolver: the address of a host function by its
// "Group/Function" name, as handed to the module at initialisation.
#ifndef TRVX_HOSTAPP_SERVICES_RESOLVER_H
#define TRVX_HOSTAPP_SERVICES_RESOLVER_H

#include <string>
#include <vector>

namespace hostapp {

// The implementation of `name` (declared in host/HostAPI.h), or null when the
// host has none or the name is hidden. A null name gives null.
// Thread-safe; matches api_function_resolver.
void* ResolveHostFunction(const char* name);

// Names the host implements, in byte order (hidden ones included).
std::vector<std::string> ImplementedHostFunctionNames();

// Test hooks for binding failures: a hidden name resolves to null until it is
// shown again. Thread-safe.
void HideHostFunction(const std::string& name);
void ShowHostFunction(const std::string& name);
void ShowAllHostFunctions();
bool IsHostFunctionHidden(const std::string& name);

}  // namespace hostapp

#endif
