// The parameter routines the host calls with an instance handle, a parameter
// (descriptor) handle and a table row. Each runs inside the standard error
// handler and returns the neutral result (null, false, 0) after an error.
#ifndef TRVX_FRAMEWORK_PARAMETERCONTEXTDISPATCHER_H
#define TRVX_FRAMEWORK_PARAMETERCONTEXTDISPATCHER_H

#include "host/HostAPI.h"

namespace px {

struct ParameterContextDispatcher {
  static void* Lock(api_handle instance, api_handle parameter, api_size row);
  static void Unlock(api_handle instance, api_handle parameter, api_size row);
  static api_bool Validate(const void* value, api_handle instance, api_handle parameter,
                           api_size row);
  static api_bool Allocate(api_size length, api_handle instance, api_handle parameter,
                           api_size row);
  static api_size Length(api_handle instance, api_handle parameter, api_size row);
};

}  // namespace px

#endif
