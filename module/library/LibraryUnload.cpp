// Built into the module library only (not into the layers that test programs
// link): when the host closes the library, the module object goes, taking the
// descriptor tree with it, and then the host binding.
#include "framework/MetaModule.h"
#include "host/APIInterface.h"

namespace {

struct LibraryUnload {
  ~LibraryUnload() {
    delete px::Module;  // its destructor clears px::Module
    delete px::API;
    px::API = nullptr;
  }
} s_libraryUnload;

}  // namespace
