#include "framework/ProcessInterface.h"

#include "core/Exception.h"
#include "framework/MetaModule.h"

namespace px {

namespace {
MetaObject* RequireModule() {
  if (Module == nullptr)
    throw Error("ProcessInterface: Module not initialized - illegal ProcessInterface instantiation");
  return Module;
}
}  // namespace

ProcessInterface::ProcessInterface() : MetaObject(RequireModule()) {}

}  // namespace px
