// A small module side written inside the test: one process "Fake" with a
// table (a string and a double column), a string, a boolean, a read-only
// boolean and a double parameter, defined through the host functions exactly
// as a module would, with routines that log every call the host makes.
// Lets the instance layer be tested without a module library.
#ifndef TRVX_TESTS_HOSTAPP_LOADER_FAKEMODULE_H
#define TRVX_TESTS_HOSTAPP_LOADER_FAKEMODULE_H

#include <string>
#include <utility>
#include <vector>

#include "host/HostAPI.h"
#include "hostapp/definition/Definitions.h"
#include "hostapp/services/Resolver.h"

// A host function "Group/Function" as a module binds it.
#define FAKE_HOST_FN(Group, Function)                  \
  reinterpret_cast<HostAPI_##Group##_##Function##_fn>( \
      hostapp::ResolveHostFunction(#Group "/" #Function))

namespace fake {

struct Row {
  std::u16string name;
  double weight = 0;
};

// The fake instance's storage, in the form its routines hand out.
struct Instance {
  std::vector<Row> rows;
  std::u16string label = u"none";
  int32_t enabled = 1;
  int32_t frozen = 1;  // read-only parameter
  double gain = 2.5;
  void* server = nullptr;
  bool executeResult = true;
  bool beforeResult = true;
};

// Routine calls in order, e.g. "allocate items 2", "allocate name[0] 3",
// "lock name[0]", "length label", "create", "validate", "execute".
std::vector<std::string>& Log();

// Live instances made by the fake's creation and cloning routines.
int LiveInstances();

// Runs the module and process definition sequence through the host
// functions and returns what the host recorded. Throws std::runtime_error
// when the host refused a call.
hostapp::ModuleDefinition Define();

}  // namespace fake

#endif
