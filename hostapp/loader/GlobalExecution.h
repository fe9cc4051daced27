// Running an instance in the global context the way the host does: the
// global validation routine (with a 1024-unit reason buffer), then the
// before, execution and after routines the process registered.
// REQUIRES: `instance` is a live instance of `process`. Runs on the calling
// thread; the module's own errors are reported by the module.
#ifndef TRVX_HOSTAPP_LOADER_GLOBALEXECUTION_H
#define TRVX_HOSTAPP_LOADER_GLOBALEXECUTION_H

#include <string>

#include "hostapp/definition/Definitions.h"

namespace hostapp {

struct GlobalExecutionResult {
  enum class Outcome {
    Refused,     // validation said no (or the process cannot run globally)
    NotStarted,  // the before-execution routine said no
    Failed,      // the execution routine returned false
    Succeeded
  };
  Outcome outcome = Outcome::Refused;
  std::u16string reason;  // why it was refused; may be empty

  bool Succeeded() const { return outcome == Outcome::Succeeded; }
};

// Validation only: true when the instance may run globally; otherwise false
// with the module's reason (empty when it gave none).
bool ValidateGlobalExecution(const ProcessDefinition& process, api_handle instance,
                             std::u16string& reason);

// The whole sequence. The after-execution routine runs whenever the
// execution routine was called.
GlobalExecutionResult ExecuteGlobal(const ProcessDefinition& process, api_handle instance);

}  // namespace hostapp

#endif
