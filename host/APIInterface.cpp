#include "host/APIInterface.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "core/Exception.h"

namespace px {

APIInterface* API = nullptr;

namespace {

api_handle s_moduleHandle = nullptr;


// Every name paired with the address of its slot in `api` (null api: names only).
std::vector<std::pair<std::string, void*>> Slots(APIInterface* api) {
  std::vector<std::pair<std::string, void*>> slots;
#define TRVX_API_ENTRY(Group, Function, Ret, Params) \
  slots.emplace_back(#Group "/" #Function, api ? static_cast<void*>(&api->Group.Function) : nullptr);
#define TRVX_API_GROUP_ENTRIES(Group, List) List(TRVX_API_ENTRY)
  TRVX_API_GROUPS(TRVX_API_GROUP_ENTRIES)
#undef TRVX_API_GROUP_ENTRIES
#undef TRVX_API_ENTRY
  std::sort(slots.begin(), slots.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  return slots;
}

}  // namespace

APIInterface::APIInterface(api_function_resolver resolver) {
  for (auto& [name, slot] : Slots(this)) {
    void* address = resolver(name.c_str());
    if (address == nullptr) throw Error("Unable to resolve host API interface.");
    // Every slot is a function pointer of the same size as a data pointer.
    std::memcpy(slot, &address, sizeof(address));
  }
}

std::vector<std::string> APIInterface::FunctionNames() {
  std::vector<std::string> names;
  for (auto& [name, slot] : Slots(nullptr)) names.push_back(name);
  return names;
}

api_handle ModuleHandle() { return s_moduleHandle; }
void SetModuleHandle(api_handle handle) { s_moduleHandle = handle; }

}  // namespace px
