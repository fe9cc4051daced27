// The library's exported entry points. Identification and initialisation
// report every error through the standard error handler and return 1;
// installation has no handler: an error there (a second module object)
// propagates to the loader that called it.
#include "host/EntryPoints.h"

#include "framework/ErrorHandler.h"
#include "module/APIInitializer.h"

TRVX_MODULE_EXPORT int32_t InstallPixInsightModule(int32_t mode) {
  px::APIInitializer::Install(mode);
  return 0;
}

TRVX_MODULE_EXPORT int32_t IdentifyPixInsightModule(api_module_description** description,
                                                    int32_t phase) {
  return px::HandleErrors(int32_t(1), [=] {
    px::APIInitializer::Identify(description, phase);
    return int32_t(0);
  });
}

TRVX_MODULE_EXPORT int32_t InitializePixInsightModule(api_handle moduleHandle,
                                                      api_function_resolver resolver,
                                                      uint32_t apiVersion) {
  return px::HandleErrors(int32_t(1), [=] {
    px::APIInitializer::Initialize(moduleHandle, resolver, apiVersion);
    return int32_t(0);
  });
}
