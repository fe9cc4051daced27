#include "hostapp/loader/ModuleLoader.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>

#include "host/EntryPoints.h"
#include "hostapp/definition/DefinitionServices.h"
#include "hostapp/loader/LoaderErrors.h"
#include "hostapp/loader/ProcessCatalog.h"
#include "hostapp/services/Resolver.h"

#ifndef TRVX_DEFAULT_MODULE_NAME
#define TRVX_DEFAULT_MODULE_NAME "TRVXnml-pxm.so"
#endif

namespace hostapp {

namespace {

// Closes the library unless released, so every failed load leaves nothing open.
class LibraryGuard {
 public:
  explicit LibraryGuard(void* library) : library_(library) {}
  ~LibraryGuard() {
    if (library_ != nullptr) dlclose(library_);
  }
  void* Release() {
    void* l = library_;
    library_ = nullptr;
    return l;
  }

 private:
  void* library_;
};

std::optional<std::string> Copy8(const char* text) {
  if (text == nullptr) return std::nullopt;
  return std::string(text);
}

std::optional<std::u16string> Copy16(const char16_t* text) {
  if (text == nullptr) return std::nullopt;
  return std::u16string(text);
}

ModuleIdentification CopyRecord(const api_module_description& d) {
  ModuleIdentification id;
  id.uniqueId = d.uniqueId;
  id.version = Copy8(d.version);
  id.name = Copy8(d.name);
  id.description = Copy16(d.description);
  id.company = Copy16(d.company);
  id.author = Copy16(d.author);
  id.copyright = Copy16(d.copyright);
  id.tradeMarks = Copy16(d.tradeMarks);
  id.originalFileName = Copy16(d.originalFileName);
  id.releaseYear = d.releaseYear;
  id.releaseMonth = d.releaseMonth;
  id.releaseDay = d.releaseDay;
  id.apiVersion = d.apiVersion;
  return id;
}

template <class Fn>
Fn Symbol(void* library, const char* name, const std::string& path) {
  dlerror();
  void* address = dlsym(library, name);
  if (address == nullptr)
    throw ModuleLoadError("cannot load module " + path + ": missing entry point " + name);
  return reinterpret_cast<Fn>(address);
}

}  // namespace

std::unique_ptr<LoadedModule> LoadedModule::Load(const std::string& path) {
  // A module's globals (its module object, its API binding) exist once per
  // process: a library still resident, loaded or kept after unloading, cannot
  // be installed a second time.
  bool resident = false;
  if (void* h = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD)) {
    resident = true;
    dlclose(h);
  }
  dlerror();
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* why = dlerror();
    throw ModuleLoadError("cannot load module " + path + ": " +
                          (why != nullptr ? why : "unknown error"));
  }
  LibraryGuard guard(handle);

  ModuleEntryPoints entryPoints;
  entryPoints.identify =
      Symbol<IdentifyPixInsightModule_fn>(handle, "IdentifyPixInsightModule", path);
  entryPoints.initialize =
      Symbol<InitializePixInsightModule_fn>(handle, "InitializePixInsightModule", path);
  entryPoints.install = Symbol<InstallPixInsightModule_fn>(handle, "InstallPixInsightModule", path);
  if (resident)
    throw ModuleLoadError("cannot load module " + path +
                          ": the library is already loaded in this process");

  std::unique_ptr<LoadedModule> module = Attach(path, entryPoints);
  module->library_ = guard.Release();
  return module;
}

std::unique_ptr<LoadedModule> LoadedModule::Attach(const std::string& path,
                                                   const ModuleEntryPoints& entryPoints) {
  auto fail = [&](const std::string& what) {
    return ModuleLoadError("cannot load module " + path + ": " + what);
  };
  std::unique_ptr<LoadedModule> module(new LoadedModule);
  module->path_ = path;

  if (int32_t r = entryPoints.install(0); r != 0)
    throw fail("installation failed (result " + std::to_string(r) + ")");

  api_module_description* record = nullptr;
  if (entryPoints.identify(&record, 0) != 0) throw fail("identification failed (phase 0)");
  const bool phase1 = entryPoints.identify(&record, 1) == 0;
  const api_module_description* handedOut = record;
  if (phase1 && handedOut != nullptr) module->identification_ = CopyRecord(*handedOut);
  // Phase 255 always follows phase 0, so the module can release its record.
  const bool phase255 = entryPoints.identify(&record, 255) == 0;
  if (!phase1) throw fail("identification failed (phase 1)");
  if (handedOut == nullptr) throw fail("the module gave no identification record");
  if (!phase255) throw fail("identification failed (phase 255)");

  const ModuleIdentification& id = module->identification_;
  if (!id.name || id.name->empty()) throw fail("the module has no name");
  if (id.apiVersion > kHostAPIVersion)
    throw fail("the module needs host API version " + std::to_string(id.apiVersion) +
               "; this host provides " + std::to_string(kHostAPIVersion));

  ResetRecordedDefinitions();
  if (entryPoints.initialize(module.get(), &ResolveHostFunction, kHostAPIVersion) != 0) {
    ResetRecordedDefinitions();
    throw fail("initialization failed");
  }
  if (DefinitionContextOpen()) {
    ResetRecordedDefinitions();
    throw fail("the module left a definition context open");
  }
  module->definitions_ = std::make_shared<const ModuleDefinition>(TakeRecordedDefinitions());
  ProcessCatalog::Publish(module->definitions_);
  module->attached_ = true;

  if (module->definitions_->onLoad != nullptr) module->definitions_->onLoad();
  return module;
}

LoadedModule::~LoadedModule() { Unload(); }

void LoadedModule::Unload() {
  if (!attached_) return;
  attached_ = false;
  if (definitions_->onUnload != nullptr) definitions_->onUnload();
  ProcessCatalog::Withdraw(definitions_.get());
  if (library_ != nullptr) dlclose(library_);
  library_ = nullptr;
}

const ProcessDefinition& LoadedModule::Process(std::string_view id) const {
  const ProcessDefinition* p = definitions_->FindProcess(id);
  if (p == nullptr)
    throw ProcessInstanceError("module " + identification_.name.value_or(path_) +
                               " defines no process '" + std::string(id) + "'");
  return *p;
}

std::string ExecutableDirectory() {
  char buffer[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return ".";
  std::string path(buffer, size_t(n));
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string DefaultModulePath() {
  std::string dir = ExecutableDirectory();
  if (dir.empty() || dir.back() != '/') dir += '/';
  return dir + TRVX_DEFAULT_MODULE_NAME;
}

}  // namespace hostapp
