// Errors of the stand-in host's module loader and process-instance layer.
// Their what() texts are complete user-facing messages (UTF-8).
#ifndef TRVX_HOSTAPP_LOADER_LOADERERRORS_H
#define TRVX_HOSTAPP_LOADER_LOADERERRORS_H

#include <stdexcept>
#include <string>

namespace hostapp {

// The module library could not be loaded, identified or initialised.
class ModuleLoadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A process or parameter was not found, a value did not fit its parameter, or
// a module routine refused an exchange.
class ProcessInstanceError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace hostapp

#endif
