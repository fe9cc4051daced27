#include "hostapp/loader/ProcessInstance.h"

#include "hostapp/loader/LoaderErrors.h"
#include "hostapp/loader/ParameterExchange.h"
#include "hostapp/loader/ProcessCatalog.h"

namespace hostapp {

// What the host knows of an instance; the module holds its address as the
// instance's server handle.
struct ProcessInstance::ServerRecord {
  const ProcessDefinition* process;
  api_handle instance;
};

namespace {

[[noreturn]] void Fail(const ProcessDefinition& p, const std::string& what) {
  throw ProcessInstanceError("process '" + p.id + "': " + what);
}

}  // namespace

ProcessInstance::ProcessInstance(const ProcessDefinition* process, api_handle handle)
    : process_(process), handle_(handle), server_(new ServerRecord{process, handle}) {
  ProcessCatalog::NoteInstance(handle, process);
  auto setServer =
      process->RoutineAs<api_instance_set_server_routine>("SetProcessSetServerHandleRoutine");
  if (setServer != nullptr) setServer(handle, server_.get());
}

ProcessInstance ProcessInstance::Create(const ProcessDefinition& process) {
  auto create = process.RoutineAs<api_process_create_routine>("SetProcessCreationRoutine");
  if (create == nullptr) Fail(process, "no creation routine");
  if (process.Routine("SetProcessDestructionRoutine") == nullptr)
    Fail(process, "no destruction routine");
  api_handle handle = create(process.handle);
  if (handle == nullptr) Fail(process, "the creation routine returned no instance");
  return ProcessInstance(&process, handle);
}

ProcessInstance::ProcessInstance(ProcessInstance&& other) noexcept
    : process_(other.process_), handle_(other.handle_), server_(std::move(other.server_)) {
  other.handle_ = nullptr;
}

ProcessInstance& ProcessInstance::operator=(ProcessInstance&& other) noexcept {
  if (this != &other) {
    Destroy();
    process_ = other.process_;
    handle_ = other.handle_;
    server_ = std::move(other.server_);
    other.handle_ = nullptr;
  }
  return *this;
}

ProcessInstance::~ProcessInstance() { Destroy(); }

void ProcessInstance::Destroy() noexcept {
  if (handle_ == nullptr) return;
  ProcessCatalog::ForgetInstance(handle_);
  if (auto destroy = process_->RoutineAs<api_instance_routine>("SetProcessDestructionRoutine"))
    destroy(handle_);
  handle_ = nullptr;
  server_.reset();
}

ProcessInstance ProcessInstance::Clone() const {
  auto clone = process_->RoutineAs<api_instance_clone_routine>("SetProcessClonationRoutine");
  if (clone == nullptr) Fail(*process_, "no cloning routine");
  api_handle copy = clone(handle_);
  if (copy == nullptr) Fail(*process_, "the cloning routine returned no instance");
  return ProcessInstance(process_, copy);
}

const ParameterDefinition& ProcessInstance::Parameter(std::string_view id) const {
  const ParameterDefinition* p = process_->FindParameter(id);
  if (p == nullptr) Fail(*process_, "no parameter '" + std::string(id) + "'");
  return *p;
}

ParameterValue ProcessInstance::Read(std::string_view parameterId) const {
  return ReadParameter(Parameter(parameterId), handle_);
}

void ProcessInstance::Write(std::string_view parameterId, const ParameterValue& value) {
  const ParameterDefinition& p = Parameter(parameterId);
  if (p.readOnly) throw ProcessInstanceError("parameter '" + p.id + "' is read-only");
  WriteParameter(p, handle_, value);
}

bool ProcessInstance::ValidateGlobal(std::u16string& reason) const {
  return ValidateGlobalExecution(*process_, handle_, reason);
}

GlobalExecutionResult ProcessInstance::ExecuteGlobal() {
  return hostapp::ExecuteGlobal(*process_, handle_);
}

}  // namespace hostapp
