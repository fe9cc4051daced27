// The module routines the host calls back (load, unload, allocation), each
// run inside the standard error handler. Registered by the module definition
// sequence.
#ifndef TRVX_FRAMEWORK_MODULECONTEXTDISPATCHER_H
#define TRVX_FRAMEWORK_MODULECONTEXTDISPATCHER_H

#include "host/HostAPI.h"

namespace px {

struct ModuleContextDispatcher {
  // OnLoad() of the module object.
  static void OnLoad();
  // OnUnload(), then for every interface child launched at least once: its
  // window geometry when it keeps it automatically, then SaveSettings().
  static void OnUnload();
  // Allocate(size); null after a reported error (e.g. "Out of memory").
  static void* Allocate(api_size size);
  static void Deallocate(void* block);
};

}  // namespace px

#endif
