// The processes of the loaded modules and the instances the host knows, so
// that host functions called with a bare handle ("Global/LaunchProcessInstance",
// "Process/CloneProcessInstance") find the process they belong to.
// Thread-safe. Returned pointers stay valid until the module definition they
// point into is withdrawn (the module is unloaded).
#ifndef TRVX_HOSTAPP_LOADER_PROCESSCATALOG_H
#define TRVX_HOSTAPP_LOADER_PROCESSCATALOG_H

#include <memory>

#include "hostapp/definition/Definitions.h"

namespace hostapp {

class ProcessCatalog {
 public:
  // Makes a module's processes findable; the catalog keeps `module` alive
  // until it is withdrawn.
  static void Publish(std::shared_ptr<const ModuleDefinition> module);
  // Forgets a module and every instance noted for its processes.
  static void Withdraw(const ModuleDefinition* module);

  // The published process whose module handle is `process`, or null.
  static const ProcessDefinition* FindProcess(api_handle process);

  // Instances created or cloned through the host.
  static void NoteInstance(api_handle instance, const ProcessDefinition* process);
  static void ForgetInstance(api_handle instance);
  // The process of a noted instance; for an instance the host never saw
  // (made by the module itself), the only published process if there is
  // exactly one; otherwise null.
  static const ProcessDefinition* ProcessOfInstance(api_handle instance);
};

}  // namespace hostapp

#endif
