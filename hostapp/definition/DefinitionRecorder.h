// The host's side of the definition calls a module makes during its
// initialisation: it checks that each call comes in a context where it makes
// sense (a parameter inside a process, a column inside a table, ...) and
// records what was defined, plus every call in order, into a ModuleDefinition.
//
// Each member answers like the host function it stands for: true when the
// call is accepted; false after setting the calling thread's host error
// (kHostErrorState for a call out of context, kHostErrorInvalidArgument for a
// bad argument), which makes the module raise its API function error. Refused
// calls change nothing but are recorded too.
//
// Not thread-safe; the process-wide recorder behind the services is guarded
// by DefinitionServices.
#ifndef TRVX_HOSTAPP_DEFINITION_DEFINITIONRECORDER_H
#define TRVX_HOSTAPP_DEFINITION_DEFINITIONRECORDER_H

#include <string>

#include "hostapp/definition/Definitions.h"

namespace hostapp {

class DefinitionRecorder {
 public:
  enum class ModuleRoutine { OnLoad, OnUnload, Allocation, Deallocation };
  enum class ParameterRoutine { Lock, Unlock, Validation, Allocation, LengthQuery };
  enum class Icon { SVG, SVGFile, Image, ImageFile, SmallImage, SmallImageFile };

  // Entering the module context starts a new record. So does entering the
  // process context outside a module context (a process defined on its own).
  bool EnterModuleContext();
  bool ExitModuleContext();
  bool SetModuleRoutine(ModuleRoutine which, void* routine);

  bool EnterProcessContext();
  bool ExitProcessContext();
  bool BeginProcess(api_handle process, const char* id);
  bool EndProcess();

  bool SetProcessCategory(const char* category);
  bool SetProcessVersion(uint32_t version);
  bool SetProcessAliases(const char* aliases);
  bool SetProcessDescription(const char16_t* text);
  bool SetProcessScriptComment(const char16_t* text);
  // `source`: const char** (inline images), const char* (inline SVG) or
  // const char16_t* (files), as the setter received it.
  bool SetProcessIcon(Icon which, const void* source);
  // `setter` is the function name without group, e.g. "SetProcessCreationRoutine".
  bool SetProcessRoutine(const char* setter, void* routine);

  // Parameters of the open process; columns of the open table parameter.
  bool BeginParameter(api_handle parameter, const char* id, int32_t type);
  bool EndParameter();
  bool BeginColumn(api_handle parameter, const char* id, int32_t type);
  bool EndColumn();

  // These apply to the open column, else to the open parameter.
  bool SetParameterVersionRange(uint32_t first, uint32_t last);
  bool SetParameterRequired(api_bool required);
  bool SetParameterReadOnly(api_bool readOnly);
  bool SetParameterAliases(const char* aliases);
  bool SetParameterDescription(const char16_t* text);
  bool SetParameterScriptComment(const char16_t* text);
  bool SetParameterRoutine(ParameterRoutine which, void* routine);
  bool SetDefaultNumeric(double value);
  bool SetDefaultBoolean(api_bool value);
  bool SetDefaultString(const char16_t* value);
  bool SetPrecision(int32_t precision);
  bool SetScientificNotation(api_bool on);
  bool SetValidNumericRange(double minimum, double maximum);
  bool SetStringAllowedCharacters(const char16_t* characters);
  bool SetStringLengthLimits(api_size minLength, api_size maxLength);
  bool SetTableRowLimits(api_size minRows, api_size maxRows);

  // What has been recorded so far.
  const ModuleDefinition& Record() const { return record_; }
  // Moves the record out and returns to the initial state (no context open).
  ModuleDefinition Take();
  void Reset();

  bool InModuleContext() const { return moduleContext_; }
  bool InProcessContext() const { return processContext_; }

 private:
  bool Accept(const char* function, std::string detail);
  bool Refuse(const char* function, std::string detail, uint32_t code, const std::string& why);
  // The open column, else the open parameter, else null.
  ParameterDefinition* Target();
  bool CheckTarget(const char* function, std::string detail, ParameterDefinition*& target);
  bool CheckType(const char* function, std::string detail, ParameterDefinition*& target,
                 int32_t type);
  bool CheckOpenProcess(const char* function, std::string detail);
  bool CompleteParameter(const char* function, const ParameterDefinition& p);

  ModuleDefinition record_;
  bool moduleContext_ = false;
  bool processContext_ = false;
  ProcessDefinition* process_ = nullptr;
  ParameterDefinition* parameter_ = nullptr;
  ParameterDefinition* column_ = nullptr;
};

}  // namespace hostapp

#endif
