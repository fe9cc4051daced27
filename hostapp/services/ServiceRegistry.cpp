#include "hostapp/services/ServiceRegistry.h"

#include <algorithm>
#include <stdexcept>

namespace hostapp {

const std::vector<std::string>& DeclaredHostFunctionNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> all;
#define HOSTAPP_NAME(Group, Function, Ret, Params) all.emplace_back(#Group "/" #Function);
#define HOSTAPP_GROUP(Group, List) List(HOSTAPP_NAME)
    TRVX_API_GROUPS(HOSTAPP_GROUP)
#undef HOSTAPP_GROUP
#undef HOSTAPP_NAME
    std::sort(all.begin(), all.end());
    return all;
  }();
  return names;
}

void ServiceRegistry::Add(const char* name, void* function) {
  const auto& declared = DeclaredHostFunctionNames();
  if (!std::binary_search(declared.begin(), declared.end(), std::string(name)))
    throw std::logic_error(std::string("host function not declared in the host API: ") + name);
  if (!functions_.emplace(name, function).second)
    throw std::logic_error(std::string("host function registered twice: ") + name);
}

void* ServiceRegistry::Find(std::string_view name) const {
  auto it = functions_.find(name);
  return it == functions_.end() ? nullptr : it->second;
}

std::vector<std::string> ServiceRegistry::Names() const {
  std::vector<std::string> names;
  names.reserve(functions_.size());
  for (const auto& entry : functions_) names.push_back(entry.first);
  return names;
}

}  // namespace hostapp
