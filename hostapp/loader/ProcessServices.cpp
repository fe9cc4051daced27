// "Global/LaunchProcessInstance", "Global/BrowseProcessDocumentation" and
// "Process/CloneProcessInstance": the host functions a module calls with its
// own process and instance handles.
#include <string>

#include "hostapp/console/HostConsole.h"
#include "hostapp/loader/GlobalExecution.h"
#include "hostapp/loader/ProcessCatalog.h"
#include "hostapp/services/HandleTable.h"
#include "hostapp/services/HostErrors.h"
#include "hostapp/services/ServiceRegistry.h"

namespace hostapp {

namespace {

api_bool LaunchProcessInstance(api_handle process, api_handle instance, int32_t context,
                               uint32_t /*flags*/) {
  const ProcessDefinition* p = ProcessCatalog::FindProcess(process);
  if (p == nullptr) {
    SetHostError(kHostErrorInvalidHandle, std::string("Unknown process handle"));
    return 0;
  }
  if (instance == nullptr) {
    SetHostError(kHostErrorInvalidArgument, std::string("Null instance handle"));
    return 0;
  }
  if (context == API_LAUNCH_CURRENT_VIEW) {
    SetHostError(kHostErrorState, std::string("This host has no image views to execute on"));
    return 0;
  }
  if (context != API_LAUNCH_GLOBAL) {
    SetHostError(kHostErrorInvalidArgument, "Unknown execution context " + std::to_string(context));
    return 0;
  }
  GlobalExecutionResult result = ExecuteGlobal(*p, instance);
  if (result.outcome == GlobalExecutionResult::Outcome::Refused) {
    // Nobody else shows the module's reason when the module launches itself.
    if (!result.reason.empty())
      HostConsole::Instance().Write(u"\x1b[31m" + result.reason + u"\x1b[39m", true);
    SetHostError(kHostErrorState, result.reason.empty() ? u"Execution refused" : result.reason);
  }
  return result.Succeeded() ? 1 : 0;
}

api_bool BrowseProcessDocumentation(api_handle process, uint32_t /*flags*/) {
  const ProcessDefinition* p = ProcessCatalog::FindProcess(process);
  if (p == nullptr) {
    SetHostError(kHostErrorInvalidHandle, std::string("Unknown process handle"));
    return 0;
  }
  SetHostError(kHostErrorState,
               "No documentation browser: cannot show the documentation of " + p->id);
  return 0;
}

api_handle CloneProcessInstance(api_handle /*module*/, api_handle instance, uint32_t /*flags*/) {
  const ProcessDefinition* p = ProcessCatalog::ProcessOfInstance(instance);
  if (p == nullptr) {
    SetHostError(kHostErrorInvalidHandle, std::string("Unknown process instance"));
    return nullptr;
  }
  auto clone = p->RoutineAs<api_instance_clone_routine>("SetProcessClonationRoutine");
  if (clone == nullptr) {
    SetHostError(kHostErrorState, "Process " + p->id + " cannot clone instances");
    return nullptr;
  }
  api_handle copy = clone(instance);
  if (copy == nullptr) {
    SetHostError(kHostErrorState, "Process " + p->id + " did not clone the instance");
    return nullptr;
  }
  ProcessCatalog::NoteInstance(copy, p);
  // The module releases the copy with "Global/DestroyObject", which hands it
  // back to the module's own destruction routine.
  auto destroy = p->RoutineAs<api_instance_routine>("SetProcessDestructionRoutine");
  HandleTable::Add(copy, HandleKind::ProcessInstance, [copy, destroy] {
    if (destroy != nullptr) destroy(copy);
    ProcessCatalog::ForgetInstance(copy);
  });
  return copy;
}

}  // namespace

void RegisterProcessServices(ServiceRegistry& registry) {
  HOSTAPP_REGISTER(registry, Global, BrowseProcessDocumentation, BrowseProcessDocumentation);
  HOSTAPP_REGISTER(registry, Global, LaunchProcessInstance, LaunchProcessInstance);
  HOSTAPP_REGISTER(registry, Process, CloneProcessInstance, CloneProcessInstance);
}

}  // namespace hostapp
