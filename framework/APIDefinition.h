// Definition calls to the host. A definition call that the host refuses
// (returns 0) is an APIFunctionError naming the host function.
#ifndef TRVX_FRAMEWORK_APIDEFINITION_H
#define TRVX_FRAMEWORK_APIDEFINITION_H

#include "host/APIError.h"
#include "host/APIInterface.h"

// REQUIRES: px::API is bound.
#define TRVX_DEFINE(Group, Function, ...)                                      \
  do {                                                                         \
    if (::px::API->Group.Function(__VA_ARGS__) == 0)                           \
      throw ::px::APIFunctionError(#Function);                                 \
  } while (false)

#endif
