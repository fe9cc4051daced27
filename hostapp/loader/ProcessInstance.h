// A host-owned instance of a module's process: created through the process's
// creation routine, given a server handle, destroyed through its destruction
// routine. Parameters are read and written by id (see ParameterExchange).
// Move-only. REQUIRES: the process definition, and the module that defined
// it, outlive the instance. Not thread-safe.
#ifndef TRVX_HOSTAPP_LOADER_PROCESSINSTANCE_H
#define TRVX_HOSTAPP_LOADER_PROCESSINSTANCE_H

#include <memory>
#include <string_view>

#include "hostapp/definition/Definitions.h"
#include "hostapp/loader/GlobalExecution.h"
#include "hostapp/loader/ParameterValue.h"

namespace hostapp {

class ProcessInstance {
 public:
  // A new instance with the module's defaults. Throws ProcessInstanceError
  // when the process has no creation or destruction routine or the creation
  // routine returns null.
  static ProcessInstance Create(const ProcessDefinition& process);

  ProcessInstance(ProcessInstance&& other) noexcept;
  ProcessInstance& operator=(ProcessInstance&& other) noexcept;
  ProcessInstance(const ProcessInstance&) = delete;
  ProcessInstance& operator=(const ProcessInstance&) = delete;
  ~ProcessInstance();

  // A copy made by the module's cloning routine. Throws ProcessInstanceError
  // when there is none or it returns null.
  ProcessInstance Clone() const;

  // The module's handle of this instance; null after being moved from.
  api_handle Handle() const { return handle_; }
  const ProcessDefinition& Process() const { return *process_; }

  // Top-level parameters by id. Throw ProcessInstanceError for an unknown id
  // and as ReadParameter/WriteParameter do. Write refuses read-only
  // parameters.
  ParameterValue Read(std::string_view parameterId) const;
  void Write(std::string_view parameterId, const ParameterValue& value);

  bool ValidateGlobal(std::u16string& reason) const;
  GlobalExecutionResult ExecuteGlobal();

 private:
  struct ServerRecord;
  ProcessInstance(const ProcessDefinition* process, api_handle handle);
  const ParameterDefinition& Parameter(std::string_view id) const;
  void Destroy() noexcept;

  const ProcessDefinition* process_ = nullptr;
  api_handle handle_ = nullptr;
  std::unique_ptr<ServerRecord> server_;  // its address is the server handle
};

}  // namespace hostapp

#endif
