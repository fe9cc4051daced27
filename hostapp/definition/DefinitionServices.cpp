// Adapters from the host functions' C signatures to the recorder.
#include "hostapp/definition/DefinitionServices.h"

#include <mutex>

#include "hostapp/definition/DefinitionRecorder.h"
#include "hostapp/services/ServiceRegistry.h"

namespace hostapp {

namespace {

std::mutex s_mutex;

DefinitionRecorder& Recorder() {
  static DefinitionRecorder recorder;
  return recorder;
}

template <class F>
api_bool Locked(F&& f) {
  std::lock_guard<std::mutex> lock(s_mutex);
  return f(Recorder()) ? 1 : 0;
}

using R = DefinitionRecorder;

// ModuleDefinition group
api_bool EnterModuleDefinitionContext() {
  return Locked([](R& r) { return r.EnterModuleContext(); });
}
api_bool ExitModuleDefinitionContext() {
  return Locked([](R& r) { return r.ExitModuleContext(); });
}
api_bool SetModuleAllocationRoutine(api_module_allocation_routine f) {
  return Locked([&](R& r) {
    return r.SetModuleRoutine(R::ModuleRoutine::Allocation, reinterpret_cast<void*>(f));
  });
}
api_bool SetModuleDeallocationRoutine(api_module_deallocation_routine f) {
  return Locked([&](R& r) {
    return r.SetModuleRoutine(R::ModuleRoutine::Deallocation, reinterpret_cast<void*>(f));
  });
}
api_bool SetModuleOnLoadRoutine(api_module_routine f) {
  return Locked([&](R& r) {
    return r.SetModuleRoutine(R::ModuleRoutine::OnLoad, reinterpret_cast<void*>(f));
  });
}
api_bool SetModuleOnUnloadRoutine(api_module_routine f) {
  return Locked([&](R& r) {
    return r.SetModuleRoutine(R::ModuleRoutine::OnUnload, reinterpret_cast<void*>(f));
  });
}

// ProcessDefinition group: contexts, processes, parameters
api_bool EnterProcessDefinitionContext() {
  return Locked([](R& r) { return r.EnterProcessContext(); });
}
api_bool ExitProcessDefinitionContext() {
  return Locked([](R& r) { return r.ExitProcessContext(); });
}
api_bool BeginProcessDefinition(api_handle p, const char* id) {
  return Locked([&](R& r) { return r.BeginProcess(p, id); });
}
api_bool EndProcessDefinition() {
  return Locked([](R& r) { return r.EndProcess(); });
}
api_bool BeginParameterDefinition(api_handle p, const char* id, int32_t type) {
  return Locked([&](R& r) { return r.BeginParameter(p, id, type); });
}
api_bool EndParameterDefinition() {
  return Locked([](R& r) { return r.EndParameter(); });
}
api_bool BeginTableColumnDefinition(api_handle p, const char* id, int32_t type) {
  return Locked([&](R& r) { return r.BeginColumn(p, id, type); });
}
api_bool EndTableColumnDefinition() {
  return Locked([](R& r) { return r.EndColumn(); });
}

// Process properties
api_bool SetProcessCategory(const char* c) {
  return Locked([&](R& r) { return r.SetProcessCategory(c); });
}
api_bool SetProcessVersion(uint32_t v) {
  return Locked([&](R& r) { return r.SetProcessVersion(v); });
}
api_bool SetProcessAliasIdentifiers(const char* a) {
  return Locked([&](R& r) { return r.SetProcessAliases(a); });
}
api_bool SetProcessDescription(const char16_t* t) {
  return Locked([&](R& r) { return r.SetProcessDescription(t); });
}
api_bool SetProcessScriptComment(const char16_t* t) {
  return Locked([&](R& r) { return r.SetProcessScriptComment(t); });
}
api_bool SetProcessIconImage(const char** xpm) {
  return Locked([&](R& r) { return r.SetProcessIcon(R::Icon::Image, xpm); });
}
api_bool SetProcessIconImageFile(const char16_t* path) {
  return Locked([&](R& r) { return r.SetProcessIcon(R::Icon::ImageFile, path); });
}
api_bool SetProcessIconSVG(const char* svg) {
  return Locked([&](R& r) { return r.SetProcessIcon(R::Icon::SVG, svg); });
}
api_bool SetProcessIconSVGFile(const char16_t* path) {
  return Locked([&](R& r) { return r.SetProcessIcon(R::Icon::SVGFile, path); });
}
api_bool SetProcessIconSmallImage(const char** xpm) {
  return Locked([&](R& r) { return r.SetProcessIcon(R::Icon::SmallImage, xpm); });
}
api_bool SetProcessIconSmallImageFile(const char16_t* path) {
  return Locked([&](R& r) { return r.SetProcessIcon(R::Icon::SmallImageFile, path); });
}

// Process routines: one adapter per setter, recorded under the setter's name.
#define HOSTAPP_PROCESS_ROUTINE_SETTERS(X)                                           \
  X(SetProcessAssignmentRoutine, api_instance_assign_routine)                        \
  X(SetProcessBrowseDocumentationRoutine, api_process_bool_routine)                  \
  X(SetProcessClassInitializationRoutine, api_process_class_init_routine)            \
  X(SetProcessClonationRoutine, api_instance_clone_routine)                          \
  X(SetProcessTestClonationRoutine, api_instance_clone_routine)                      \
  X(SetProcessCommandLineProcessingRoutine, api_process_command_line_routine)        \
  X(SetProcessCreationRoutine, api_process_create_routine)                           \
  X(SetProcessDefaultInterfaceSelectionRoutine, api_process_interface_routine)       \
  X(SetProcessDestructionRoutine, api_instance_routine)                              \
  X(SetProcessEditPreferencesRoutine, api_process_bool_routine)                      \
  X(SetProcessExecutionPreferencesRoutine, api_process_bool_routine)                 \
  X(SetProcessExecutionRoutine, api_view_bool_routine)                               \
  X(SetProcessExecutionValidationRoutine, api_view_validation_routine)               \
  X(SetProcessGlobalExecutionRoutine, api_instance_bool_routine)                     \
  X(SetProcessGlobalExecutionValidationRoutine, api_instance_validation_routine)     \
  X(SetProcessHistoryUpdateValidationRoutine, api_view_bool_routine)                 \
  X(SetProcessIPCGetStatusRoutine, api_process_ipc_status_routine)                   \
  X(SetProcessIPCSetParametersRoutine, api_process_ipc_routine)                      \
  X(SetProcessIPCStartRoutine, api_process_ipc_routine)                              \
  X(SetProcessIPCStopRoutine, api_process_ipc_routine)                               \
  X(SetProcessImageExecutionRoutine, api_image_execution_routine)                    \
  X(SetProcessImageExecutionValidationRoutine, api_image_validation_routine)         \
  X(SetProcessInitializationRoutine, api_instance_bool_routine)                      \
  X(SetProcessInterfaceSelectionRoutine, api_instance_interface_routine)             \
  X(SetProcessInterfaceValidationRoutine, api_instance_interface_validation_routine) \
  X(SetProcessMaskValidationRoutine, api_mask_validation_routine)                    \
  X(SetProcessPostExecutionRoutine, api_view_routine)                                \
  X(SetProcessPostGlobalExecutionRoutine, api_instance_routine)                      \
  X(SetProcessPostReadingRoutine, api_instance_routine)                              \
  X(SetProcessPostWritingRoutine, api_instance_routine)                              \
  X(SetProcessPreExecutionRoutine, api_view_bool_routine)                            \
  X(SetProcessPreGlobalExecutionRoutine, api_instance_bool_routine)                  \
  X(SetProcessPreReadingRoutine, api_instance_bool_routine)                          \
  X(SetProcessPreWritingRoutine, api_instance_bool_routine)                          \
  X(SetProcessSetServerHandleRoutine, api_instance_set_server_routine)               \
  X(SetProcessUndoModeRoutine, api_view_undo_routine)                                \
  X(SetProcessValidationRoutine, api_instance_validation_routine)

#define HOSTAPP_DEFINE_ROUTINE_SETTER(Name, Type)                                            \
  api_bool Name(Type routine) {                                                              \
    return Locked(                                                                           \
        [&](R& r) { return r.SetProcessRoutine(#Name, reinterpret_cast<void*>(routine)); }); \
  }
HOSTAPP_PROCESS_ROUTINE_SETTERS(HOSTAPP_DEFINE_ROUTINE_SETTER)
#undef HOSTAPP_DEFINE_ROUTINE_SETTER

// Parameter properties
api_bool SetParameterProcessVersionRange(uint32_t first, uint32_t last) {
  return Locked([&](R& r) { return r.SetParameterVersionRange(first, last); });
}
api_bool SetParameterRequired(api_bool v) {
  return Locked([&](R& r) { return r.SetParameterRequired(v); });
}
api_bool SetParameterReadOnly(api_bool v) {
  return Locked([&](R& r) { return r.SetParameterReadOnly(v); });
}
api_bool SetParameterAliasIdentifiers(const char* a) {
  return Locked([&](R& r) { return r.SetParameterAliases(a); });
}
api_bool SetParameterDescription(const char16_t* t) {
  return Locked([&](R& r) { return r.SetParameterDescription(t); });
}
api_bool SetParameterScriptComment(const char16_t* t) {
  return Locked([&](R& r) { return r.SetParameterScriptComment(t); });
}
api_bool SetParameterLockRoutine(api_parameter_lock_routine f) {
  return Locked([&](R& r) {
    return r.SetParameterRoutine(R::ParameterRoutine::Lock, reinterpret_cast<void*>(f));
  });
}
api_bool SetParameterUnlockRoutine(api_parameter_unlock_routine f) {
  return Locked([&](R& r) {
    return r.SetParameterRoutine(R::ParameterRoutine::Unlock, reinterpret_cast<void*>(f));
  });
}
api_bool SetParameterValidationRoutine(api_parameter_validation_routine f) {
  return Locked([&](R& r) {
    return r.SetParameterRoutine(R::ParameterRoutine::Validation, reinterpret_cast<void*>(f));
  });
}
api_bool SetParameterAllocationRoutine(api_parameter_allocation_routine f) {
  return Locked([&](R& r) {
    return r.SetParameterRoutine(R::ParameterRoutine::Allocation, reinterpret_cast<void*>(f));
  });
}
api_bool SetParameterLengthQueryRoutine(api_parameter_length_routine f) {
  return Locked([&](R& r) {
    return r.SetParameterRoutine(R::ParameterRoutine::LengthQuery, reinterpret_cast<void*>(f));
  });
}
api_bool SetDefaultNumericValue(double v) {
  return Locked([&](R& r) { return r.SetDefaultNumeric(v); });
}
api_bool SetDefaultBooleanValue(api_bool v) {
  return Locked([&](R& r) { return r.SetDefaultBoolean(v); });
}
api_bool SetDefaultStringValue(const char16_t* v) {
  return Locked([&](R& r) { return r.SetDefaultString(v); });
}
api_bool SetPrecision(int32_t p) {
  return Locked([&](R& r) { return r.SetPrecision(p); });
}
api_bool SetScientificNotation(api_bool on) {
  return Locked([&](R& r) { return r.SetScientificNotation(on); });
}
api_bool SetValidNumericRange(double lo, double hi) {
  return Locked([&](R& r) { return r.SetValidNumericRange(lo, hi); });
}
api_bool SetStringAllowedCharacters(const char16_t* c) {
  return Locked([&](R& r) { return r.SetStringAllowedCharacters(c); });
}
api_bool SetStringLengthLimits(api_size lo, api_size hi) {
  return Locked([&](R& r) { return r.SetStringLengthLimits(lo, hi); });
}
api_bool SetTableRowLimits(api_size lo, api_size hi) {
  return Locked([&](R& r) { return r.SetTableRowLimits(lo, hi); });
}

}  // namespace

ModuleDefinition TakeRecordedDefinitions() {
  std::lock_guard<std::mutex> lock(s_mutex);
  return Recorder().Take();
}

ModuleDefinition RecordedDefinitions() {
  std::lock_guard<std::mutex> lock(s_mutex);
  return Recorder().Record();
}

void ResetRecordedDefinitions() {
  std::lock_guard<std::mutex> lock(s_mutex);
  Recorder().Reset();
}

bool DefinitionContextOpen() {
  std::lock_guard<std::mutex> lock(s_mutex);
  return Recorder().InModuleContext() || Recorder().InProcessContext();
}

void RegisterDefinitionServices(ServiceRegistry& registry) {
  HOSTAPP_REGISTER(registry, ModuleDefinition, EnterModuleDefinitionContext,
                   EnterModuleDefinitionContext);
  HOSTAPP_REGISTER(registry, ModuleDefinition, ExitModuleDefinitionContext,
                   ExitModuleDefinitionContext);
  HOSTAPP_REGISTER(registry, ModuleDefinition, SetModuleAllocationRoutine,
                   SetModuleAllocationRoutine);
  HOSTAPP_REGISTER(registry, ModuleDefinition, SetModuleDeallocationRoutine,
                   SetModuleDeallocationRoutine);
  HOSTAPP_REGISTER(registry, ModuleDefinition, SetModuleOnLoadRoutine, SetModuleOnLoadRoutine);
  HOSTAPP_REGISTER(registry, ModuleDefinition, SetModuleOnUnloadRoutine, SetModuleOnUnloadRoutine);

#define HOSTAPP_REGISTER_PD(Name) HOSTAPP_REGISTER(registry, ProcessDefinition, Name, Name)
  HOSTAPP_REGISTER_PD(BeginParameterDefinition);
  HOSTAPP_REGISTER_PD(BeginProcessDefinition);
  HOSTAPP_REGISTER_PD(BeginTableColumnDefinition);
  HOSTAPP_REGISTER_PD(EndParameterDefinition);
  HOSTAPP_REGISTER_PD(EndProcessDefinition);
  HOSTAPP_REGISTER_PD(EndTableColumnDefinition);
  HOSTAPP_REGISTER_PD(EnterProcessDefinitionContext);
  HOSTAPP_REGISTER_PD(ExitProcessDefinitionContext);
  HOSTAPP_REGISTER_PD(SetDefaultBooleanValue);
  HOSTAPP_REGISTER_PD(SetDefaultNumericValue);
  HOSTAPP_REGISTER_PD(SetDefaultStringValue);
  HOSTAPP_REGISTER_PD(SetParameterAliasIdentifiers);
  HOSTAPP_REGISTER_PD(SetParameterAllocationRoutine);
  HOSTAPP_REGISTER_PD(SetParameterDescription);
  HOSTAPP_REGISTER_PD(SetParameterLengthQueryRoutine);
  HOSTAPP_REGISTER_PD(SetParameterLockRoutine);
  HOSTAPP_REGISTER_PD(SetParameterProcessVersionRange);
  HOSTAPP_REGISTER_PD(SetParameterReadOnly);
  HOSTAPP_REGISTER_PD(SetParameterRequired);
  HOSTAPP_REGISTER_PD(SetParameterScriptComment);
  HOSTAPP_REGISTER_PD(SetParameterUnlockRoutine);
  HOSTAPP_REGISTER_PD(SetParameterValidationRoutine);
  HOSTAPP_REGISTER_PD(SetPrecision);
  HOSTAPP_REGISTER_PD(SetProcessAliasIdentifiers);
  HOSTAPP_REGISTER_PD(SetProcessCategory);
  HOSTAPP_REGISTER_PD(SetProcessDescription);
  HOSTAPP_REGISTER_PD(SetProcessIconImage);
  HOSTAPP_REGISTER_PD(SetProcessIconImageFile);
  HOSTAPP_REGISTER_PD(SetProcessIconSVG);
  HOSTAPP_REGISTER_PD(SetProcessIconSVGFile);
  HOSTAPP_REGISTER_PD(SetProcessIconSmallImage);
  HOSTAPP_REGISTER_PD(SetProcessIconSmallImageFile);
  HOSTAPP_REGISTER_PD(SetProcessScriptComment);
  HOSTAPP_REGISTER_PD(SetProcessVersion);
  HOSTAPP_REGISTER_PD(SetScientificNotation);
  HOSTAPP_REGISTER_PD(SetStringAllowedCharacters);
  HOSTAPP_REGISTER_PD(SetStringLengthLimits);
  HOSTAPP_REGISTER_PD(SetTableRowLimits);
  HOSTAPP_REGISTER_PD(SetValidNumericRange);
#define HOSTAPP_REGISTER_ROUTINE_SETTER(Name, Type) HOSTAPP_REGISTER_PD(Name);
  HOSTAPP_PROCESS_ROUTINE_SETTERS(HOSTAPP_REGISTER_ROUTINE_SETTER)
#undef HOSTAPP_REGISTER_ROUTINE_SETTER
#undef HOSTAPP_REGISTER_PD
}

}  // namespace hostapp
