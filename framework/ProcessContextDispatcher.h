// The process routines the host calls with process and instance handles.
// Each turns the handles back into MetaProcess / ProcessImplementation
// objects, runs the call inside the standard error handler and returns the
// neutral result (false, null, 0 or nothing) after a handled error.
//
// Execution routines force console output on and GUI output off for the
// call and restore both afterwards. Validation routines copy a refusal
// reason into the host's UTF-16 buffer: at most capacity-1 code units and a
// terminating 0; nothing when the reason is empty, the buffer null or the
// capacity 0.
#ifndef TRVX_FRAMEWORK_PROCESSCONTEXTDISPATCHER_H
#define TRVX_FRAMEWORK_PROCESSCONTEXTDISPATCHER_H

#include "host/HostAPI.h"

namespace px {

struct ProcessContextDispatcher {
  static void InitializeClass(api_handle process);
  static api_handle Create(api_handle process);
  // Deletes the instance (null: nothing). Never throws.
  static void Destroy(api_handle instance);
  static api_handle Clone(api_handle instance);
  static api_handle TestClone(api_handle instance);
  // Stores the handle; always true.
  static api_bool SetServerHandle(api_handle instance, api_handle server);
  static api_bool Assign(api_handle dst, api_handle src);
  static api_bool Initialize(api_handle instance);
  static api_bool Validate(api_handle instance, char16_t* message, uint32_t capacity);
  static int32_t ProcessCommandLine(api_handle process, int32_t argc, const char16_t** argv);
  static api_bool EditPreferences(api_handle process);
  static api_bool BrowseDocumentation(api_handle process);
  static api_bool PrefersGlobalExecution(api_handle process);

  static api_bool CanExecuteOnView(api_handle view, api_handle instance, char16_t* message,
                                   uint32_t capacity);
  static api_bool IsMaskable(api_handle view, api_handle window, api_handle instance);
  static api_bool IsHistoryUpdater(api_handle view, api_handle instance);
  static uint32_t UndoMode(api_handle view, api_handle instance);
  static api_bool BeforeExecution(api_handle view, api_handle instance);
  static api_bool ExecuteOnView(api_handle view, api_handle instance);
  static void AfterExecution(api_handle view, api_handle instance);

  static api_bool CanExecuteGlobal(api_handle instance, char16_t* message, uint32_t capacity);
  static api_bool BeforeGlobalExecution(api_handle instance);
  static api_bool ExecuteGlobal(api_handle instance);
  static void AfterGlobalExecution(api_handle instance);

  static api_bool CanExecuteOnImage(api_handle image, api_handle instance, char16_t* message,
                                    uint32_t capacity);
  static api_bool ExecuteOnImage(api_handle image, api_handle instance, const char* hints);

  // Interface handles are ProcessInterface addresses.
  static api_handle DefaultInterface(api_handle process);
  static api_handle SelectInterface(api_handle instance);
  static api_bool IsValidInterface(api_handle instance, api_handle iface);
  static api_bool BeforeReading(api_handle instance);
  static void AfterReading(api_handle instance);
  static api_bool BeforeWriting(api_handle instance);
  static void AfterWriting(api_handle instance);

  static api_bool IPCStart(api_handle process, uint32_t messageId, const char* instanceId,
                           const char16_t* parameters);
  static api_bool IPCStop(api_handle process, uint32_t messageId, const char* instanceId,
                          const char16_t* parameters);
  static api_bool IPCSetParameters(api_handle process, uint32_t messageId, const char* instanceId,
                                   const char16_t* parameters);
  static int32_t IPCStatus(api_handle process, uint32_t messageId, const char* instanceId,
                           const char16_t* parameters);
};

}  // namespace px

#endif
