#include "hostapp/loader/GlobalExecution.h"

#include <vector>

namespace hostapp {

namespace {

constexpr uint32_t kReasonCapacity = 1024;

std::u16string NotGlobal(const ProcessDefinition& process) {
  std::u16string id(process.id.begin(), process.id.end());
  return id + u" cannot be executed in the global context.";
}

}  // namespace

bool ValidateGlobalExecution(const ProcessDefinition& process, api_handle instance,
                             std::u16string& reason) {
  reason.clear();
  auto execute = process.RoutineAs<api_instance_bool_routine>("SetProcessGlobalExecutionRoutine");
  auto validate = process.RoutineAs<api_instance_validation_routine>(
      "SetProcessGlobalExecutionValidationRoutine");
  if (execute == nullptr || validate == nullptr) {
    reason = NotGlobal(process);
    return false;
  }
  std::vector<char16_t> buffer(kReasonCapacity, u'\0');
  if (validate(instance, buffer.data(), kReasonCapacity) != 0) return true;
  buffer.back() = u'\0';  // a module that filled the buffer without a terminator
  reason = buffer.data();
  return false;
}

GlobalExecutionResult ExecuteGlobal(const ProcessDefinition& process, api_handle instance) {
  GlobalExecutionResult result;
  if (!ValidateGlobalExecution(process, instance, result.reason)) {
    result.outcome = GlobalExecutionResult::Outcome::Refused;
    return result;
  }
  auto before = process.RoutineAs<api_instance_bool_routine>("SetProcessPreGlobalExecutionRoutine");
  auto execute = process.RoutineAs<api_instance_bool_routine>("SetProcessGlobalExecutionRoutine");
  auto after = process.RoutineAs<api_instance_routine>("SetProcessPostGlobalExecutionRoutine");
  if (before != nullptr && before(instance) == 0) {
    result.outcome = GlobalExecutionResult::Outcome::NotStarted;
    return result;
  }
  const bool ok = execute(instance) != 0;
  if (after != nullptr) after(instance);
  result.outcome =
      ok ? GlobalExecutionResult::Outcome::Succeeded : GlobalExecutionResult::Outcome::Failed;
  return result;
}

}  // namespace hostapp
