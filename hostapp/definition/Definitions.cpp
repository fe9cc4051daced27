#include "hostapp/definition/Definitions.h"

namespace hostapp {

std::string ParameterTypeName(int32_t typeCode) {
  switch (typeCode) {
    case API_PARTYPE_DOUBLE: return "double";
    case API_PARTYPE_BOOLEAN: return "boolean";
    case API_PARTYPE_STRING: return "string";
    case API_PARTYPE_TABLE: return "table";
    default: return "type " + std::to_string(typeCode);
  }
}

bool IsSupportedParameterType(int32_t typeCode) {
  return typeCode == API_PARTYPE_DOUBLE || typeCode == API_PARTYPE_BOOLEAN ||
         typeCode == API_PARTYPE_STRING || typeCode == API_PARTYPE_TABLE;
}

void* ProcessDefinition::Routine(std::string_view setter) const {
  for (const RegisteredRoutine& r : routines)
    if (r.setter == setter) return r.address;
  return nullptr;
}

const ParameterDefinition* ProcessDefinition::FindParameter(std::string_view parameterId) const {
  for (const ParameterDefinition& p : parameters)
    if (p.id == parameterId) return &p;
  return nullptr;
}

const ProcessDefinition* ModuleDefinition::FindProcess(std::string_view processId) const {
  for (const ProcessDefinition& p : processes)
    if (p.id == processId) return &p;
  return nullptr;
}

const ProcessDefinition* ModuleDefinition::FindProcessByHandle(api_handle handle) const {
  if (handle == nullptr) return nullptr;
  for (const ProcessDefinition& p : processes)
    if (p.handle == handle) return &p;
  return nullptr;
}

std::vector<std::string> ModuleDefinition::CallNames() const {
  std::vector<std::string> names;
  names.reserve(calls.size());
  for (const DefinitionCall& c : calls) names.push_back(c.function);
  return names;
}

}  // namespace hostapp
