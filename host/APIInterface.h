// The module's binding of the host API: one table of function addresses per
// group, filled by name from the host's resolver at initialisation.
#ifndef TRVX_HOST_APIINTERFACE_H
#define TRVX_HOST_APIINTERFACE_H

#include <string>
#include <vector>

#include "host/HostAPI.h"

namespace px {

class APIInterface {
 public:
#define TRVX_API_SLOT(Group, Function, Ret, Params) HostAPI_##Group##_##Function##_fn Function = nullptr;
#define TRVX_API_GROUP_STRUCT(Group, List) \
  struct Group##Group {                    \
    List(TRVX_API_SLOT)                    \
  };
  TRVX_API_GROUPS(TRVX_API_GROUP_STRUCT)
#undef TRVX_API_GROUP_STRUCT
#undef TRVX_API_SLOT

  // Resolves every declared name through `resolver`, in ascending byte order
  // of the full "Group/Function" names, stopping at the first name the
  // resolver does not know. Throws Error "Unable to resolve host API
  // interface." when a name is not resolved. REQUIRES: resolver != null.
  explicit APIInterface(api_function_resolver resolver);

  // Every "Group/Function" name the module binds, in binding order.
  static std::vector<std::string> FunctionNames();

#define TRVX_API_GROUP_MEMBER(Group, List) Group##Group Group;
  TRVX_API_GROUPS(TRVX_API_GROUP_MEMBER)
#undef TRVX_API_GROUP_MEMBER
};

// The bound host interface; null until initialisation succeeds. Process-wide,
// set once by the initialisation entry point (no lock: entry points are
// called one at a time).
extern APIInterface* API;

// The opaque module handle received at initialisation (null before).
api_handle ModuleHandle();
void SetModuleHandle(api_handle handle);

}  // namespace px

#endif
