#include "framework/MetaModule.h"

#include <new>

#include "core/Exception.h"
#include "framework/APIDefinition.h"
#include "framework/ModuleContextDispatcher.h"

namespace px {

MetaModule* Module = nullptr;

MetaModule::MetaModule() : MetaObject(nullptr) {
  if (Module != nullptr) throw Error("MetaModule: Module redefinition not allowed");
  Module = this;
}

MetaModule::~MetaModule() {
  if (Module == this) Module = nullptr;
}

void MetaModule::PerformAPIDefinitions() const {
  TRVX_DEFINE(ModuleDefinition, EnterModuleDefinitionContext);
  TRVX_DEFINE(ModuleDefinition, SetModuleOnLoadRoutine, &ModuleContextDispatcher::OnLoad);
  TRVX_DEFINE(ModuleDefinition, SetModuleOnUnloadRoutine, &ModuleContextDispatcher::OnUnload);
  TRVX_DEFINE(ModuleDefinition, SetModuleAllocationRoutine, &ModuleContextDispatcher::Allocate);
  TRVX_DEFINE(ModuleDefinition, SetModuleDeallocationRoutine,
              &ModuleContextDispatcher::Deallocate);
  for (size_t i = 0; i < Length(); ++i) (*this)[i]->PerformAPIDefinitions();
  TRVX_DEFINE(ModuleDefinition, ExitModuleDefinitionContext);
}

void* MetaModule::Allocate(size_t size) { return ::operator new(size); }

void MetaModule::Deallocate(void* block) { ::operator delete(block); }

}  // namespace px
