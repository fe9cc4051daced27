#include "hostapp/loader/ProcessCatalog.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <vector>

namespace hostapp {

namespace {

std::mutex s_mutex;
std::vector<std::shared_ptr<const ModuleDefinition>> s_modules;
std::map<api_handle, const ProcessDefinition*> s_instances;

bool Owns(const ModuleDefinition& module, const ProcessDefinition* process) {
  for (const ProcessDefinition& p : module.processes)
    if (&p == process) return true;
  return false;
}

}  // namespace

void ProcessCatalog::Publish(std::shared_ptr<const ModuleDefinition> module) {
  if (module == nullptr) return;
  std::lock_guard<std::mutex> lock(s_mutex);
  s_modules.push_back(std::move(module));
}

void ProcessCatalog::Withdraw(const ModuleDefinition* module) {
  std::lock_guard<std::mutex> lock(s_mutex);
  auto it = std::find_if(s_modules.begin(), s_modules.end(),
                         [&](const auto& m) { return m.get() == module; });
  if (it == s_modules.end()) return;
  for (auto i = s_instances.begin(); i != s_instances.end();)
    i = Owns(**it, i->second) ? s_instances.erase(i) : std::next(i);
  s_modules.erase(it);
}

const ProcessDefinition* ProcessCatalog::FindProcess(api_handle process) {
  std::lock_guard<std::mutex> lock(s_mutex);
  for (const auto& m : s_modules)
    if (const ProcessDefinition* p = m->FindProcessByHandle(process)) return p;
  return nullptr;
}

void ProcessCatalog::NoteInstance(api_handle instance, const ProcessDefinition* process) {
  if (instance == nullptr || process == nullptr) return;
  std::lock_guard<std::mutex> lock(s_mutex);
  s_instances[instance] = process;
}

void ProcessCatalog::ForgetInstance(api_handle instance) {
  std::lock_guard<std::mutex> lock(s_mutex);
  s_instances.erase(instance);
}

const ProcessDefinition* ProcessCatalog::ProcessOfInstance(api_handle instance) {
  if (instance == nullptr) return nullptr;
  std::lock_guard<std::mutex> lock(s_mutex);
  auto it = s_instances.find(instance);
  if (it != s_instances.end()) return it->second;
  const ProcessDefinition* only = nullptr;
  for (const auto& m : s_modules)
    for (const ProcessDefinition& p : m->processes) {
      if (only != nullptr) return nullptr;
      only = &p;
    }
  return only;
}

}  // namespace hostapp
