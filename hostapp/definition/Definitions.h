// What a module told the host about itself during initialisation: its module
// routines, its processes with their routines and parameters, and the order of
// the definition calls it made. Plain values, filled by DefinitionRecorder and
// read by the loader, the instance layer and `describe`.
#ifndef TRVX_HOSTAPP_DEFINITION_DEFINITIONS_H
#define TRVX_HOSTAPP_DEFINITION_DEFINITIONS_H

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/HostAPI.h"

namespace hostapp {

// "double", "boolean", "string", "table" for the API_PARTYPE_* codes, else
// "type <code>".
std::string ParameterTypeName(int32_t typeCode);

// True for the parameter types this host can exchange (double, boolean,
// string, table).
bool IsSupportedParameterType(int32_t typeCode);

// One parameter, or one column of a table parameter.
struct ParameterDefinition {
  api_handle handle = nullptr;  // the module's descriptor, handed back unchanged
  std::string id;
  int32_t typeCode = 0;  // API_PARTYPE_*

  uint32_t firstProcessVersion = 0;
  uint32_t lastProcessVersion = 0;
  bool required = false;
  bool readOnly = false;
  std::string aliases;
  std::u16string description;
  std::u16string scriptComment;

  // Type-specific properties; unset when the module did not send them.
  std::optional<double> defaultNumeric;
  std::optional<bool> defaultBoolean;
  std::optional<std::u16string> defaultString;
  std::optional<int32_t> precision;
  std::optional<bool> scientificNotation;
  std::optional<std::pair<double, double>> numericRange;
  std::optional<std::pair<api_size, api_size>> stringLengthLimits;
  std::optional<std::u16string> allowedCharacters;
  std::optional<std::pair<api_size, api_size>> tableRowLimits;

  api_parameter_lock_routine lock = nullptr;
  api_parameter_unlock_routine unlock = nullptr;
  api_parameter_validation_routine validation = nullptr;
  api_parameter_allocation_routine allocation = nullptr;
  api_parameter_length_routine length = nullptr;

  std::vector<ParameterDefinition> columns;  // tables only, in definition order

  bool IsTable() const { return typeCode == API_PARTYPE_TABLE; }
  bool IsString() const { return typeCode == API_PARTYPE_STRING; }
  bool IsVariableLength() const { return IsTable() || IsString(); }
};

// A routine the module registered for a process, under the name of the
// "ProcessDefinition/..." setter without its group ("SetProcessCreationRoutine").
struct RegisteredRoutine {
  std::string setter;
  void* address = nullptr;
};

struct ProcessDefinition {
  api_handle handle = nullptr;  // the module's process descriptor
  std::string id;
  std::string category;
  std::optional<uint32_t> version;
  std::string aliases;
  std::u16string description;
  std::u16string scriptComment;

  // Icon sources, as sent (inline images are only noted).
  std::u16string iconSVGFile;
  std::u16string iconImageFile;
  std::u16string smallIconImageFile;
  bool hasIconSVG = false;
  bool hasIconImage = false;
  bool hasSmallIconImage = false;

  std::vector<RegisteredRoutine> routines;      // in registration order
  std::vector<ParameterDefinition> parameters;  // in definition order

  // The routine registered through `setter`, or null.
  void* Routine(std::string_view setter) const;
  template <class Fn>
  Fn RoutineAs(std::string_view setter) const {
    return reinterpret_cast<Fn>(Routine(setter));
  }

  // Top-level parameter by id, or null.
  const ParameterDefinition* FindParameter(std::string_view id) const;
};

// One definition call as the module made it. `detail` summarises the
// arguments that identify what was defined (an id, a value); `accepted` is
// what the host answered.
struct DefinitionCall {
  std::string function;  // "Group/Function"
  std::string detail;
  bool accepted = true;
};

struct ModuleDefinition {
  api_module_routine onLoad = nullptr;
  api_module_routine onUnload = nullptr;
  api_module_allocation_routine allocate = nullptr;
  api_module_deallocation_routine deallocate = nullptr;

  std::vector<ProcessDefinition> processes;  // in definition order
  std::vector<DefinitionCall> calls;         // every definition call, in order

  const ProcessDefinition* FindProcess(std::string_view id) const;
  const ProcessDefinition* FindProcessByHandle(api_handle handle) const;

  // The function names of `calls`, in order.
  std::vector<std::string> CallNames() const;
};

}  // namespace hostapp

#endif
