// The host handshake behind the exported entry points: installation of the
// descriptor objects, the identification record and its phases, and the
// binding of the host interface at initialisation. Each operation throws;
// the entry points (module/EntryPoints.cpp) report and translate.
//
// State is process-wide and unguarded: the host calls entry points one at a
// time.
#ifndef TRVX_MODULE_APIINITIALIZER_H
#define TRVX_MODULE_APIINITIALIZER_H

#include "core/Exception.h"
#include "core/String.h"
#include "host/EntryPoints.h"

namespace px {

struct APIInitializer {
  // Error "Possible hacking attempt: " + what.
  static Error HackingError(const String& what);

  // Creates the module object; mode 0 also creates the process and its
  // parameters. Throws Error "MetaModule: Module redefinition not allowed"
  // on a second module object.
  static void Install(int mode);

  // Phase 0 builds the record, 1 hands it out through `description`, 255
  // releases it; other phases do nothing. Errors as in the handshake table.
  static void Identify(api_module_description** description, int phase);

  // Stores the module handle, checks the call, binds px::API and defines the
  // module to the host. On failure px::API is left as it was before the call
  // (a binding made by this call is destroyed).
  static void Initialize(api_handle moduleHandle, api_function_resolver resolver,
                         uint32_t apiVersion);

  // The record between phases 0 and 255; null otherwise.
  static const api_module_description* Record();
};

}  // namespace px

#endif
