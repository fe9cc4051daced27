#include "hostapp/definition/DefinitionRecorder.h"

#include <cmath>
#include <sstream>

#include "hostapp/services/HostErrors.h"
#include "hostapp/services/TextConversion.h"

namespace hostapp {

namespace {

constexpr const char* kModule = "ModuleDefinition/";
constexpr const char* kProcess = "ProcessDefinition/";

std::string Fn(const char* group, const char* name) { return std::string(group) + name; }

bool IsIdentifier(const char* id) {
  if (id == nullptr || *id == '\0') return false;
  auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
  if (!letter(id[0])) return false;
  for (const char* p = id + 1; *p != '\0'; ++p)
    if (!letter(*p) && !(*p >= '0' && *p <= '9')) return false;
  return true;
}

std::string Text(const char* s) { return s == nullptr ? std::string("(null)") : std::string(s); }
std::string Text(const char16_t* s) {
  return s == nullptr ? std::string("(null)") : Utf16ToUtf8(std::u16string_view(s));
}
std::string Number(double v) {
  std::ostringstream os;
  os << v;
  return os.str();
}

const char* ModuleRoutineSetter(DefinitionRecorder::ModuleRoutine which) {
  switch (which) {
    case DefinitionRecorder::ModuleRoutine::OnLoad: return "SetModuleOnLoadRoutine";
    case DefinitionRecorder::ModuleRoutine::OnUnload: return "SetModuleOnUnloadRoutine";
    case DefinitionRecorder::ModuleRoutine::Allocation: return "SetModuleAllocationRoutine";
    case DefinitionRecorder::ModuleRoutine::Deallocation: return "SetModuleDeallocationRoutine";
  }
  return "";
}

const char* ParameterRoutineSetter(DefinitionRecorder::ParameterRoutine which) {
  switch (which) {
    case DefinitionRecorder::ParameterRoutine::Lock: return "SetParameterLockRoutine";
    case DefinitionRecorder::ParameterRoutine::Unlock: return "SetParameterUnlockRoutine";
    case DefinitionRecorder::ParameterRoutine::Validation: return "SetParameterValidationRoutine";
    case DefinitionRecorder::ParameterRoutine::Allocation: return "SetParameterAllocationRoutine";
    case DefinitionRecorder::ParameterRoutine::LengthQuery: return "SetParameterLengthQueryRoutine";
  }
  return "";
}

const char* IconSetter(DefinitionRecorder::Icon which) {
  switch (which) {
    case DefinitionRecorder::Icon::SVG: return "SetProcessIconSVG";
    case DefinitionRecorder::Icon::SVGFile: return "SetProcessIconSVGFile";
    case DefinitionRecorder::Icon::Image: return "SetProcessIconImage";
    case DefinitionRecorder::Icon::ImageFile: return "SetProcessIconImageFile";
    case DefinitionRecorder::Icon::SmallImage: return "SetProcessIconSmallImage";
    case DefinitionRecorder::Icon::SmallImageFile: return "SetProcessIconSmallImageFile";
  }
  return "";
}

}  // namespace

bool DefinitionRecorder::Accept(const char* function, std::string detail) {
  record_.calls.push_back({function, std::move(detail), true});
  return true;
}

bool DefinitionRecorder::Refuse(const char* function, std::string detail, uint32_t code,
                                const std::string& why) {
  record_.calls.push_back({function, std::move(detail), false});
  SetHostError(code, std::string(function) + ": " + why);
  return false;
}

// ---------------------------------------------------------------------------
// Module context

bool DefinitionRecorder::EnterModuleContext() {
  const std::string f = Fn(kModule, "EnterModuleDefinitionContext");
  if (moduleContext_ || processContext_)
    return Refuse(f.c_str(), "", kHostErrorState, "a definition context is already open");
  Reset();
  moduleContext_ = true;
  return Accept(f.c_str(), "");
}

bool DefinitionRecorder::ExitModuleContext() {
  const std::string f = Fn(kModule, "ExitModuleDefinitionContext");
  if (!moduleContext_)
    return Refuse(f.c_str(), "", kHostErrorState, "no module definition context");
  if (processContext_)
    return Refuse(f.c_str(), "", kHostErrorState, "the process definition context is still open");
  moduleContext_ = false;
  return Accept(f.c_str(), "");
}

bool DefinitionRecorder::SetModuleRoutine(ModuleRoutine which, void* routine) {
  const std::string f = Fn(kModule, ModuleRoutineSetter(which));
  if (!moduleContext_ || processContext_)
    return Refuse(f.c_str(), "", kHostErrorState, "outside the module definition context");
  if (routine == nullptr) return Refuse(f.c_str(), "", kHostErrorInvalidArgument, "null routine");
  switch (which) {
    case ModuleRoutine::OnLoad:
      record_.onLoad = reinterpret_cast<api_module_routine>(routine);
      break;
    case ModuleRoutine::OnUnload:
      record_.onUnload = reinterpret_cast<api_module_routine>(routine);
      break;
    case ModuleRoutine::Allocation:
      record_.allocate = reinterpret_cast<api_module_allocation_routine>(routine);
      break;
    case ModuleRoutine::Deallocation:
      record_.deallocate = reinterpret_cast<api_module_deallocation_routine>(routine);
      break;
  }
  return Accept(f.c_str(), "");
}

// ---------------------------------------------------------------------------
// Process context and processes

bool DefinitionRecorder::EnterProcessContext() {
  const std::string f = Fn(kProcess, "EnterProcessDefinitionContext");
  if (processContext_)
    return Refuse(f.c_str(), "", kHostErrorState, "the process definition context is already open");
  if (!moduleContext_) Reset();
  processContext_ = true;
  return Accept(f.c_str(), "");
}

bool DefinitionRecorder::ExitProcessContext() {
  const std::string f = Fn(kProcess, "ExitProcessDefinitionContext");
  if (!processContext_)
    return Refuse(f.c_str(), "", kHostErrorState, "no process definition context");
  if (process_ != nullptr)
    return Refuse(f.c_str(), "", kHostErrorState, "process '" + process_->id + "' is still open");
  processContext_ = false;
  return Accept(f.c_str(), "");
}

bool DefinitionRecorder::BeginProcess(api_handle process, const char* id) {
  const std::string f = Fn(kProcess, "BeginProcessDefinition");
  const std::string detail = Text(id);
  if (!processContext_)
    return Refuse(f.c_str(), detail, kHostErrorState, "outside the process definition context");
  if (process_ != nullptr)
    return Refuse(f.c_str(), detail, kHostErrorState,
                  "process '" + process_->id + "' is still open");
  if (process == nullptr)
    return Refuse(f.c_str(), detail, kHostErrorInvalidArgument, "null process handle");
  if (!IsIdentifier(id))
    return Refuse(f.c_str(), detail, kHostErrorInvalidArgument, "invalid process identifier");
  if (record_.FindProcess(id) != nullptr)
    return Refuse(f.c_str(), detail, kHostErrorInvalidArgument, "process defined twice");
  ProcessDefinition p;
  p.handle = process;
  p.id = id;
  record_.processes.push_back(std::move(p));
  process_ = &record_.processes.back();
  return Accept(f.c_str(), detail);
}

bool DefinitionRecorder::EndProcess() {
  const std::string f = Fn(kProcess, "EndProcessDefinition");
  if (!CheckOpenProcess(f.c_str(), "")) return false;
  const std::string id = process_->id;
  process_ = nullptr;
  return Accept(f.c_str(), id);
}

bool DefinitionRecorder::CheckOpenProcess(const char* function, std::string detail) {
  if (process_ == nullptr)
    return Refuse(function, std::move(detail), kHostErrorState, "no process definition is open");
  if (parameter_ != nullptr)
    return Refuse(function, std::move(detail), kHostErrorState,
                  "parameter '" + parameter_->id + "' is still open");
  return true;
}

bool DefinitionRecorder::SetProcessCategory(const char* category) {
  const std::string f = Fn(kProcess, "SetProcessCategory");
  if (!CheckOpenProcess(f.c_str(), Text(category))) return false;
  if (category == nullptr || *category == '\0')
    return Refuse(f.c_str(), Text(category), kHostErrorInvalidArgument, "empty category");
  process_->category = category;
  return Accept(f.c_str(), category);
}

bool DefinitionRecorder::SetProcessVersion(uint32_t version) {
  const std::string f = Fn(kProcess, "SetProcessVersion");
  if (!CheckOpenProcess(f.c_str(), std::to_string(version))) return false;
  process_->version = version;
  return Accept(f.c_str(), std::to_string(version));
}

bool DefinitionRecorder::SetProcessAliases(const char* aliases) {
  const std::string f = Fn(kProcess, "SetProcessAliasIdentifiers");
  if (!CheckOpenProcess(f.c_str(), Text(aliases))) return false;
  if (aliases == nullptr)
    return Refuse(f.c_str(), Text(aliases), kHostErrorInvalidArgument, "null text");
  process_->aliases = aliases;
  return Accept(f.c_str(), aliases);
}

bool DefinitionRecorder::SetProcessDescription(const char16_t* text) {
  const std::string f = Fn(kProcess, "SetProcessDescription");
  if (!CheckOpenProcess(f.c_str(), "")) return false;
  if (text == nullptr) return Refuse(f.c_str(), "", kHostErrorInvalidArgument, "null text");
  process_->description = text;
  return Accept(f.c_str(), Text(text));
}

bool DefinitionRecorder::SetProcessScriptComment(const char16_t* text) {
  const std::string f = Fn(kProcess, "SetProcessScriptComment");
  if (!CheckOpenProcess(f.c_str(), "")) return false;
  if (text == nullptr) return Refuse(f.c_str(), "", kHostErrorInvalidArgument, "null text");
  process_->scriptComment = text;
  return Accept(f.c_str(), Text(text));
}

bool DefinitionRecorder::SetProcessIcon(Icon which, const void* source) {
  const std::string f = Fn(kProcess, IconSetter(which));
  if (!CheckOpenProcess(f.c_str(), "")) return false;
  if (source == nullptr) return Refuse(f.c_str(), "", kHostErrorInvalidArgument, "null icon");
  std::string detail;
  switch (which) {
    case Icon::SVG: process_->hasIconSVG = true; break;
    case Icon::Image: process_->hasIconImage = true; break;
    case Icon::SmallImage: process_->hasSmallIconImage = true; break;
    case Icon::SVGFile:
      process_->iconSVGFile = static_cast<const char16_t*>(source);
      detail = Text(static_cast<const char16_t*>(source));
      break;
    case Icon::ImageFile:
      process_->iconImageFile = static_cast<const char16_t*>(source);
      detail = Text(static_cast<const char16_t*>(source));
      break;
    case Icon::SmallImageFile:
      process_->smallIconImageFile = static_cast<const char16_t*>(source);
      detail = Text(static_cast<const char16_t*>(source));
      break;
  }
  return Accept(f.c_str(), detail);
}

bool DefinitionRecorder::SetProcessRoutine(const char* setter, void* routine) {
  const std::string f = Fn(kProcess, setter);
  if (!CheckOpenProcess(f.c_str(), "")) return false;
  if (routine == nullptr) return Refuse(f.c_str(), "", kHostErrorInvalidArgument, "null routine");
  for (RegisteredRoutine& r : process_->routines)
    if (r.setter == setter) {
      r.address = routine;  // a later registration replaces the earlier one
      return Accept(f.c_str(), "");
    }
  process_->routines.push_back({setter, routine});
  return Accept(f.c_str(), "");
}

// ---------------------------------------------------------------------------
// Parameters and columns

bool DefinitionRecorder::BeginParameter(api_handle parameter, const char* id, int32_t type) {
  const std::string f = Fn(kProcess, "BeginParameterDefinition");
  const std::string detail = Text(id) + " " + ParameterTypeName(type);
  if (!CheckOpenProcess(f.c_str(), detail)) return false;
  if (parameter == nullptr)
    return Refuse(f.c_str(), detail, kHostErrorInvalidArgument, "null parameter handle");
  if (!IsIdentifier(id))
    return Refuse(f.c_str(), detail, kHostErrorInvalidArgument, "invalid parameter identifier");
  if (!IsSupportedParameterType(type))
    return Refuse(f.c_str(), detail, kHostErrorInvalidArgument, "unsupported parameter type");
  if (process_->FindParameter(id) != nullptr)
    return Refuse(f.c_str(), detail, kHostErrorInvalidArgument, "parameter defined twice");
  ParameterDefinition p;
  p.handle = parameter;
  p.id = id;
  p.typeCode = type;
  process_->parameters.push_back(std::move(p));
  parameter_ = &process_->parameters.back();
  return Accept(f.c_str(), detail);
}

bool DefinitionRecorder::CompleteParameter(const char* function, const ParameterDefinition& p) {
  // A parameter the host could not exchange is a module bug; refuse it here
  // rather than fail later on first use.
  if (p.lock == nullptr)
    return Refuse(function, p.id, kHostErrorState, "parameter '" + p.id + "' has no lock routine");
  if (p.IsVariableLength() && (p.allocation == nullptr || p.length == nullptr))
    return Refuse(function, p.id, kHostErrorState,
                  "variable-length parameter '" + p.id + "' needs allocation and length routines");
  if (p.IsTable() && p.columns.empty())
    return Refuse(function, p.id, kHostErrorState, "table '" + p.id + "' has no columns");
  return true;
}

bool DefinitionRecorder::EndParameter() {
  const std::string f = Fn(kProcess, "EndParameterDefinition");
  if (parameter_ == nullptr)
    return Refuse(f.c_str(), "", kHostErrorState, "no parameter definition is open");
  if (column_ != nullptr)
    return Refuse(f.c_str(), "", kHostErrorState, "column '" + column_->id + "' is still open");
  if (!CompleteParameter(f.c_str(), *parameter_)) return false;
  const std::string id = parameter_->id;
  parameter_ = nullptr;
  return Accept(f.c_str(), id);
}

bool DefinitionRecorder::BeginColumn(api_handle parameter, const char* id, int32_t type) {
  const std::string f = Fn(kProcess, "BeginTableColumnDefinition");
  const std::string detail = Text(id) + " " + ParameterTypeName(type);
  if (parameter_ == nullptr || !parameter_->IsTable())
    return Refuse(f.c_str(), detail, kHostErrorState, "no table parameter definition is open");
  if (column_ != nullptr)
    return Refuse(f.c_str(), detail, kHostErrorState, "column '" + column_->id + "' is still open");
  if (parameter == nullptr)
    return Refuse(f.c_str(), detail, kHostErrorInvalidArgument, "null parameter handle");
  if (!IsIdentifier(id))
    return Refuse(f.c_str(), detail, kHostErrorInvalidArgument, "invalid column identifier");
  if (!IsSupportedParameterType(type) || type == API_PARTYPE_TABLE)
    return Refuse(f.c_str(), detail, kHostErrorInvalidArgument, "unsupported column type");
  for (const ParameterDefinition& c : parameter_->columns)
    if (c.id == id)
      return Refuse(f.c_str(), detail, kHostErrorInvalidArgument, "column defined twice");
  ParameterDefinition c;
  c.handle = parameter;
  c.id = id;
  c.typeCode = type;
  parameter_->columns.push_back(std::move(c));
  column_ = &parameter_->columns.back();
  return Accept(f.c_str(), detail);
}

bool DefinitionRecorder::EndColumn() {
  const std::string f = Fn(kProcess, "EndTableColumnDefinition");
  if (column_ == nullptr)
    return Refuse(f.c_str(), "", kHostErrorState, "no column definition is open");
  if (!CompleteParameter(f.c_str(), *column_)) return false;
  const std::string id = column_->id;
  column_ = nullptr;
  return Accept(f.c_str(), id);
}

ParameterDefinition* DefinitionRecorder::Target() {
  return column_ != nullptr ? column_ : parameter_;
}

bool DefinitionRecorder::CheckTarget(const char* function, std::string detail,
                                     ParameterDefinition*& target) {
  target = Target();
  if (target == nullptr)
    return Refuse(function, std::move(detail), kHostErrorState, "no parameter definition is open");
  return true;
}

bool DefinitionRecorder::CheckType(const char* function, std::string detail,
                                   ParameterDefinition*& target, int32_t type) {
  if (!CheckTarget(function, detail, target)) return false;
  if (target->typeCode != type)
    return Refuse(function, std::move(detail), kHostErrorState,
                  "parameter '" + target->id + "' is not of type " + ParameterTypeName(type));
  return true;
}

bool DefinitionRecorder::SetParameterVersionRange(uint32_t first, uint32_t last) {
  const std::string f = Fn(kProcess, "SetParameterProcessVersionRange");
  const std::string detail = std::to_string(first) + " " + std::to_string(last);
  ParameterDefinition* p;
  if (!CheckTarget(f.c_str(), detail, p)) return false;
  if (last != 0 && first > last)
    return Refuse(f.c_str(), detail, kHostErrorInvalidArgument, "first version after last");
  p->firstProcessVersion = first;
  p->lastProcessVersion = last;
  return Accept(f.c_str(), detail);
}

bool DefinitionRecorder::SetParameterRequired(api_bool required) {
  const std::string f = Fn(kProcess, "SetParameterRequired");
  ParameterDefinition* p;
  if (!CheckTarget(f.c_str(), std::to_string(required), p)) return false;
  p->required = required != 0;
  return Accept(f.c_str(), std::to_string(required));
}

bool DefinitionRecorder::SetParameterReadOnly(api_bool readOnly) {
  const std::string f = Fn(kProcess, "SetParameterReadOnly");
  ParameterDefinition* p;
  if (!CheckTarget(f.c_str(), std::to_string(readOnly), p)) return false;
  p->readOnly = readOnly != 0;
  return Accept(f.c_str(), std::to_string(readOnly));
}

bool DefinitionRecorder::SetParameterAliases(const char* aliases) {
  const std::string f = Fn(kProcess, "SetParameterAliasIdentifiers");
  ParameterDefinition* p;
  if (!CheckTarget(f.c_str(), Text(aliases), p)) return false;
  if (aliases == nullptr) return Refuse(f.c_str(), "", kHostErrorInvalidArgument, "null text");
  p->aliases = aliases;
  return Accept(f.c_str(), aliases);
}

bool DefinitionRecorder::SetParameterDescription(const char16_t* text) {
  const std::string f = Fn(kProcess, "SetParameterDescription");
  ParameterDefinition* p;
  if (!CheckTarget(f.c_str(), "", p)) return false;
  if (text == nullptr) return Refuse(f.c_str(), "", kHostErrorInvalidArgument, "null text");
  p->description = text;
  return Accept(f.c_str(), Text(text));
}

bool DefinitionRecorder::SetParameterScriptComment(const char16_t* text) {
  const std::string f = Fn(kProcess, "SetParameterScriptComment");
  ParameterDefinition* p;
  if (!CheckTarget(f.c_str(), "", p)) return false;
  if (text == nullptr) return Refuse(f.c_str(), "", kHostErrorInvalidArgument, "null text");
  p->scriptComment = text;
  return Accept(f.c_str(), Text(text));
}

bool DefinitionRecorder::SetParameterRoutine(ParameterRoutine which, void* routine) {
  const std::string f = Fn(kProcess, ParameterRoutineSetter(which));
  ParameterDefinition* p;
  if (!CheckTarget(f.c_str(), "", p)) return false;
  if (routine == nullptr)
    return Refuse(f.c_str(), p->id, kHostErrorInvalidArgument, "null routine");
  const bool lengthRoutine =
      which == ParameterRoutine::Allocation || which == ParameterRoutine::LengthQuery;
  if (lengthRoutine && !p->IsVariableLength())
    return Refuse(f.c_str(), p->id, kHostErrorState,
                  "parameter '" + p->id + "' does not have a variable length");
  switch (which) {
    case ParameterRoutine::Lock:
      p->lock = reinterpret_cast<api_parameter_lock_routine>(routine);
      break;
    case ParameterRoutine::Unlock:
      p->unlock = reinterpret_cast<api_parameter_unlock_routine>(routine);
      break;
    case ParameterRoutine::Validation:
      p->validation = reinterpret_cast<api_parameter_validation_routine>(routine);
      break;
    case ParameterRoutine::Allocation:
      p->allocation = reinterpret_cast<api_parameter_allocation_routine>(routine);
      break;
    case ParameterRoutine::LengthQuery:
      p->length = reinterpret_cast<api_parameter_length_routine>(routine);
      break;
  }
  return Accept(f.c_str(), p->id);
}

bool DefinitionRecorder::SetDefaultNumeric(double value) {
  const std::string f = Fn(kProcess, "SetDefaultNumericValue");
  ParameterDefinition* p;
  if (!CheckType(f.c_str(), Number(value), p, API_PARTYPE_DOUBLE)) return false;
  if (std::isnan(value)) return Refuse(f.c_str(), "nan", kHostErrorInvalidArgument, "not a number");
  p->defaultNumeric = value;
  return Accept(f.c_str(), Number(value));
}

bool DefinitionRecorder::SetDefaultBoolean(api_bool value) {
  const std::string f = Fn(kProcess, "SetDefaultBooleanValue");
  ParameterDefinition* p;
  if (!CheckType(f.c_str(), std::to_string(value), p, API_PARTYPE_BOOLEAN)) return false;
  p->defaultBoolean = value != 0;
  return Accept(f.c_str(), std::to_string(value));
}

bool DefinitionRecorder::SetDefaultString(const char16_t* value) {
  const std::string f = Fn(kProcess, "SetDefaultStringValue");
  ParameterDefinition* p;
  if (!CheckType(f.c_str(), Text(value), p, API_PARTYPE_STRING)) return false;
  if (value == nullptr) return Refuse(f.c_str(), "", kHostErrorInvalidArgument, "null text");
  p->defaultString = value;
  return Accept(f.c_str(), Text(value));
}

bool DefinitionRecorder::SetPrecision(int32_t precision) {
  const std::string f = Fn(kProcess, "SetPrecision");
  ParameterDefinition* p;
  if (!CheckType(f.c_str(), std::to_string(precision), p, API_PARTYPE_DOUBLE)) return false;
  if (precision < -1)
    return Refuse(f.c_str(), std::to_string(precision), kHostErrorInvalidArgument,
                  "precision below -1");
  p->precision = precision;
  return Accept(f.c_str(), std::to_string(precision));
}

bool DefinitionRecorder::SetScientificNotation(api_bool on) {
  const std::string f = Fn(kProcess, "SetScientificNotation");
  ParameterDefinition* p;
  if (!CheckType(f.c_str(), std::to_string(on), p, API_PARTYPE_DOUBLE)) return false;
  p->scientificNotation = on != 0;
  return Accept(f.c_str(), std::to_string(on));
}

bool DefinitionRecorder::SetValidNumericRange(double minimum, double maximum) {
  const std::string f = Fn(kProcess, "SetValidNumericRange");
  const std::string detail = Number(minimum) + " " + Number(maximum);
  ParameterDefinition* p;
  if (!CheckType(f.c_str(), detail, p, API_PARTYPE_DOUBLE)) return false;
  if (!(minimum <= maximum))
    return Refuse(f.c_str(), detail, kHostErrorInvalidArgument, "minimum above maximum");
  p->numericRange = std::make_pair(minimum, maximum);
  return Accept(f.c_str(), detail);
}

bool DefinitionRecorder::SetStringAllowedCharacters(const char16_t* characters) {
  const std::string f = Fn(kProcess, "SetStringAllowedCharacters");
  ParameterDefinition* p;
  if (!CheckType(f.c_str(), Text(characters), p, API_PARTYPE_STRING)) return false;
  if (characters == nullptr) return Refuse(f.c_str(), "", kHostErrorInvalidArgument, "null text");
  p->allowedCharacters = characters;
  return Accept(f.c_str(), Text(characters));
}

bool DefinitionRecorder::SetStringLengthLimits(api_size minLength, api_size maxLength) {
  const std::string f = Fn(kProcess, "SetStringLengthLimits");
  const std::string detail = std::to_string(minLength) + " " + std::to_string(maxLength);
  ParameterDefinition* p;
  if (!CheckType(f.c_str(), detail, p, API_PARTYPE_STRING)) return false;
  if (maxLength != 0 && minLength > maxLength)
    return Refuse(f.c_str(), detail, kHostErrorInvalidArgument, "minimum length above maximum");
  p->stringLengthLimits = std::make_pair(minLength, maxLength);
  return Accept(f.c_str(), detail);
}

bool DefinitionRecorder::SetTableRowLimits(api_size minRows, api_size maxRows) {
  const std::string f = Fn(kProcess, "SetTableRowLimits");
  const std::string detail = std::to_string(minRows) + " " + std::to_string(maxRows);
  ParameterDefinition* p;
  if (!CheckType(f.c_str(), detail, p, API_PARTYPE_TABLE)) return false;
  if (maxRows != 0 && minRows > maxRows)
    return Refuse(f.c_str(), detail, kHostErrorInvalidArgument, "minimum rows above maximum");
  p->tableRowLimits = std::make_pair(minRows, maxRows);
  return Accept(f.c_str(), detail);
}

// ---------------------------------------------------------------------------

ModuleDefinition DefinitionRecorder::Take() {
  ModuleDefinition out = std::move(record_);
  Reset();
  return out;
}

void DefinitionRecorder::Reset() {
  record_ = ModuleDefinition();
  moduleContext_ = false;
  processContext_ = false;
  process_ = nullptr;
  parameter_ = nullptr;
  column_ = nullptr;
}

}  // namespace hostapp
