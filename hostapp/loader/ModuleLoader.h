// Loads a module library the way the platform does: dlopen, the three entry
// points, installation, identification (phases 0, 1, 255) and initialisation
// with this host's resolver; afterwards the module's definitions are known.
// Unloading calls the module's unload routine, then closes the library.
//
// A library's globals exist once per process while it is resident, so a
// library is loaded once per process: loading it while it is resident (also
// after an unload that the system did not complete) is refused.
// Not thread-safe; load and unload from one thread.
#ifndef TRVX_HOSTAPP_LOADER_MODULELOADER_H
#define TRVX_HOSTAPP_LOADER_MODULELOADER_H

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "host/EntryPoints.h"
#include "hostapp/definition/Definitions.h"

namespace hostapp {

// The host API version this host provides; modules built for a later one are
// refused.
inline constexpr uint32_t kHostAPIVersion = 387;

// The identification record, copied out of the module. A text the module left
// null is unset.
struct ModuleIdentification {
  uint64_t uniqueId = 0;
  std::optional<std::string> version;
  std::optional<std::string> name;
  std::optional<std::u16string> description;
  std::optional<std::u16string> company;
  std::optional<std::u16string> author;
  std::optional<std::u16string> copyright;
  std::optional<std::u16string> tradeMarks;
  std::optional<std::u16string> originalFileName;
  uint16_t releaseYear = 0;
  uint8_t releaseMonth = 0;
  uint8_t releaseDay = 0;
  uint32_t apiVersion = 0;
};

// The three entry points of a module.
struct ModuleEntryPoints {
  IdentifyPixInsightModule_fn identify = nullptr;
  InitializePixInsightModule_fn initialize = nullptr;
  InstallPixInsightModule_fn install = nullptr;
};

class LoadedModule {
 public:
  // Loads, identifies and initialises the library at `path`, then calls its
  // load routine. Throws ModuleLoadError with a message that names the file
  // ("cannot load module <path>: ..."); the library is closed again then.
  static std::unique_ptr<LoadedModule> Load(const std::string& path);

  // What Load does once the entry points are found: installation,
  // identification, checks, initialisation, load routine. For a module
  // linked into the process (and tests); there is no library to close.
  // `name` stands for the path in messages. REQUIRES: all three entry points.
  static std::unique_ptr<LoadedModule> Attach(const std::string& name,
                                              const ModuleEntryPoints& entryPoints);

  // Unload().
  ~LoadedModule();
  LoadedModule(const LoadedModule&) = delete;
  LoadedModule& operator=(const LoadedModule&) = delete;

  // Calls the module's unload routine and closes the library; afterwards the
  // definitions' routines must not be called. REQUIRES: every instance of the
  // module's processes has been destroyed. Idempotent.
  void Unload();
  bool IsLoaded() const { return attached_; }

  const std::string& Path() const { return path_; }
  const ModuleIdentification& Identification() const { return identification_; }
  // What the module defined during initialisation (valid until destruction).
  const ModuleDefinition& Definitions() const { return *definitions_; }

  // A defined process by id; throws ProcessInstanceError when there is none.
  const ProcessDefinition& Process(std::string_view id) const;

 private:
  LoadedModule() = default;

  std::string path_;
  void* library_ = nullptr;  // null for an attached module
  bool attached_ = false;
  ModuleIdentification identification_;
  std::shared_ptr<const ModuleDefinition> definitions_;
};

// The directory of the running executable (no trailing slash).
std::string ExecutableDirectory();

// Where the module is looked for without --module: the executable's
// directory and TRVX_DEFAULT_MODULE_NAME.
std::string DefaultModulePath();

}  // namespace hostapp

#endif
