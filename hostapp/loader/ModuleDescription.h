// `describe`: a readable account of a loaded module for users — its
// identification record, and for each process its properties, registered
// routines and parameters (types, defaults, limits, flags, table columns).
#ifndef TRVX_HOSTAPP_LOADER_MODULEDESCRIPTION_H
#define TRVX_HOSTAPP_LOADER_MODULEDESCRIPTION_H

#include <ostream>

#include "hostapp/loader/ModuleLoader.h"

namespace hostapp {

// Writes UTF-8 text to `out`.
void DescribeModule(const LoadedModule& module, std::ostream& out);

// The same from the parts (no library needed); `path` may be empty.
void DescribeModule(const ModuleIdentification& identification, const ModuleDefinition& definitions,
                    const std::string& path, std::ostream& out);

}  // namespace hostapp

#endif
