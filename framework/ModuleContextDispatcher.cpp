#include "framework/ModuleContextDispatcher.h"

#include "framework/ErrorHandler.h"
#include "framework/MetaModule.h"
#include "framework/ProcessInterface.h"

namespace px {

void ModuleContextDispatcher::OnLoad() {
  HandleErrors([] { Module->OnLoad(); });
}

void ModuleContextDispatcher::OnUnload() {
  HandleErrors([] {
    Module->OnUnload();
    for (size_t i = 0; i < Module->Length(); ++i) {
      auto* iface = dynamic_cast<const ProcessInterface*>((*Module)[i]);
      if (iface == nullptr || iface->LaunchCount() == 0) continue;
      if (iface->IsAutoSaveGeometryEnabled()) iface->SaveGeometry();
      iface->SaveSettings();
    }
  });
}

void* ModuleContextDispatcher::Allocate(api_size size) {
  return HandleErrors(static_cast<void*>(nullptr),
                      [size] { return Module->Allocate(static_cast<size_t>(size)); });
}

void ModuleContextDispatcher::Deallocate(void* block) {
  HandleErrors([block] { Module->Deallocate(block); });
}

}  // namespace px
