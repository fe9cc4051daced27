// Moving parameter values in and out of a module's instance through the
// parameter routines the module registered: allocation and length query for
// strings and tables, lock (and unlock when registered) for every value.
//
// Writing a table sets its row count first (which discards the old rows),
// then sizes, locks and fills each cell row by row in column order. Writing a
// string sizes it, then copies its code units through the locked address.
// Reading learns each length before it locks; an empty string may lock to a
// null address, which is never dereferenced.
//
// Failures throw ProcessInstanceError naming the parameter: a value of the
// wrong kind or outside the declared limits, a refused allocation or
// validation, or a null address where storage is needed. After a failed
// write the parameter may hold a partial value.
// REQUIRES: `instance` is a live instance of the process that defined
// `parameter`. Not thread-safe for one instance.
#ifndef TRVX_HOSTAPP_LOADER_PARAMETEREXCHANGE_H
#define TRVX_HOSTAPP_LOADER_PARAMETEREXCHANGE_H

#include "hostapp/definition/Definitions.h"
#include "hostapp/loader/ParameterValue.h"

namespace hostapp {

ParameterValue ReadParameter(const ParameterDefinition& parameter, api_handle instance);

// Read-only parameters are written like any other; the caller decides
// whether a user may change them.
void WriteParameter(const ParameterDefinition& parameter, api_handle instance,
                    const ParameterValue& value);

}  // namespace hostapp

#endif
