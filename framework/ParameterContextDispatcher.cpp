#include "framework/ParameterContextDispatcher.h"

#include "framework/ErrorHandler.h"
#include "framework/MetaParameter.h"
#include "framework/ProcessImplementation.h"

namespace px {

namespace {
// Handles are the addresses of exactly these base types.
ProcessImplementation* I(api_handle h) { return static_cast<ProcessImplementation*>(h); }
const MetaParameter* M(api_handle h) { return static_cast<const MetaParameter*>(h); }
size_t R(api_size row) { return static_cast<size_t>(row); }
}  // namespace

void* ParameterContextDispatcher::Lock(api_handle instance, api_handle parameter, api_size row) {
  return HandleErrors(static_cast<void*>(nullptr),
                      [=] { return I(instance)->LockParameter(M(parameter), R(row)); });
}

void ParameterContextDispatcher::Unlock(api_handle instance, api_handle parameter, api_size row) {
  HandleErrors([=] { I(instance)->UnlockParameter(M(parameter), R(row)); });
}

api_bool ParameterContextDispatcher::Validate(const void* value, api_handle instance,
                                              api_handle parameter, api_size row) {
  return HandleErrors(api_bool(0), [=] {
    return api_bool(
        I(instance)->ValidateParameter(const_cast<void*>(value), M(parameter), R(row)) ? 1 : 0);
  });
}

api_bool ParameterContextDispatcher::Allocate(api_size length, api_handle instance,
                                              api_handle parameter, api_size row) {
  return HandleErrors(api_bool(0), [=] {
    return api_bool(
        I(instance)->AllocateParameter(static_cast<size_t>(length), M(parameter), R(row)) ? 1 : 0);
  });
}

api_size ParameterContextDispatcher::Length(api_handle instance, api_handle parameter,
                                            api_size row) {
  return HandleErrors(api_size(0), [=] {
    return api_size(I(instance)->ParameterLength(M(parameter), R(row)));
  });
}

}  // namespace px
