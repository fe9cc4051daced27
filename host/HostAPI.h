// The host API as the module sees it: plain C types and one declaration per
// host function ("Group/Function"). This header is the whole contract between
// the module and any host; it includes nothing of the module.
//
// Every function is listed once in a group list below as
//   X(Group, Function, ReturnType, (Parameters))
// The module binds them by name at initialisation; a host implements each with
// exactly the declared type (HostAPI_<Group>_<Function>_fn).
//
// Conventions:
//  - api_handle is an opaque address. Handles the host gives out (console,
//    formats, file instances, threads) are released with Global/DestroyObject
//    when the module no longer needs them; file formats are never released.
//    Handles the module gives out (process, parameter, instance) are the
//    addresses of the module's own objects and are handed back unchanged.
//  - api_bool is 0 or 1. Texts: const char* is 8-bit (identifiers, hints);
//    const char16_t* is NUL-terminated UTF-16.
//  - Lengths and row counts are unsigned 64-bit.
#ifndef TRVX_HOST_HOSTAPI_H
#define TRVX_HOST_HOSTAPI_H

#include <cstddef>
#include <cstdint>

extern "C" {

typedef void* api_handle;
typedef int32_t api_bool;
typedef uint64_t api_size;

// Host API version this module is built for.
enum { API_VERSION = 387 };

// Colour spaces of image descriptions and sinks.
enum { API_COLORSPACE_GRAY = 1, API_COLORSPACE_RGB = 2 };

// One image of an open file, as "FileFormat/GetImageDescription" reports it.
typedef struct api_image_info {
  uint32_t width;
  uint32_t height;
  uint32_t numberOfChannels;   // nominal + alpha channels
  int32_t colorSpace;          // API_COLORSPACE_*
  uint32_t bitsPerSample;
  api_bool floatSample;
} api_image_info;

// Where "FileFormat/ReadImage" puts pixels. The host calls allocate once with
// the image geometry; the module returns storage for numberOfChannels planes
// of width*height floats each, contiguous and planar (plane k starts at
// k*width*height), or null to refuse. The host then fills every sample.
typedef struct api_image_sink {
  void* context;
  float* (*allocate)(void* context, uint32_t width, uint32_t height,
                     uint32_t numberOfChannels, int32_t colorSpace);
} api_image_sink;

// Resolver handed to InitializePixInsightModule: address of a host function by
// its "Group/Function" name, or null when the host has none of that name.
typedef void* (*api_function_resolver)(const char* name);

// Thread body run by "Thread/CreateThread".
typedef void (*api_thread_routine)(void* data);

// Module routines.
typedef void (*api_module_routine)(void);
typedef void* (*api_module_allocation_routine)(api_size size);
typedef void (*api_module_deallocation_routine)(void* block);

// Process routines (handles: process = MetaProcess, instance = instance object).
typedef void (*api_process_class_init_routine)(api_handle process);
typedef api_handle (*api_process_create_routine)(api_handle process);
typedef void (*api_instance_routine)(api_handle instance);
typedef api_handle (*api_instance_clone_routine)(api_handle instance);
typedef api_bool (*api_instance_set_server_routine)(api_handle instance, api_handle server);
typedef api_bool (*api_instance_assign_routine)(api_handle dst, api_handle src);
typedef api_bool (*api_instance_bool_routine)(api_handle instance);
typedef api_bool (*api_instance_validation_routine)(api_handle instance, char16_t* message,
                                                    uint32_t capacity);
typedef int32_t (*api_process_command_line_routine)(api_handle process, int32_t argc,
                                                    const char16_t** argv);
typedef api_bool (*api_process_bool_routine)(api_handle process);
typedef api_bool (*api_view_validation_routine)(api_handle view, api_handle instance,
                                                char16_t* message, uint32_t capacity);
typedef api_bool (*api_mask_validation_routine)(api_handle view, api_handle window,
                                                api_handle instance);
typedef api_bool (*api_view_bool_routine)(api_handle view, api_handle instance);
typedef uint32_t (*api_view_undo_routine)(api_handle view, api_handle instance);
typedef void (*api_view_routine)(api_handle view, api_handle instance);
typedef api_bool (*api_image_validation_routine)(api_handle image, api_handle instance,
                                                 char16_t* message, uint32_t capacity);
typedef api_bool (*api_image_execution_routine)(api_handle image, api_handle instance,
                                                const char* hints);
typedef api_handle (*api_process_interface_routine)(api_handle process);
typedef api_handle (*api_instance_interface_routine)(api_handle instance);
typedef api_bool (*api_instance_interface_validation_routine)(api_handle instance,
                                                              api_handle interface);
typedef api_bool (*api_process_ipc_routine)(api_handle process, uint32_t messageId,
                                            const char* instanceId, const char16_t* parameters);
typedef int32_t (*api_process_ipc_status_routine)(api_handle process, uint32_t messageId,
                                                  const char* instanceId,
                                                  const char16_t* parameters);

// Parameter routines (handles: instance, parameter descriptor; row for columns).
typedef void* (*api_parameter_lock_routine)(api_handle instance, api_handle parameter,
                                            api_size row);
typedef void (*api_parameter_unlock_routine)(api_handle instance, api_handle parameter,
                                             api_size row);
typedef api_bool (*api_parameter_validation_routine)(const void* value, api_handle instance,
                                                     api_handle parameter, api_size row);
typedef api_bool (*api_parameter_allocation_routine)(api_size length, api_handle instance,
                                                     api_handle parameter, api_size row);
typedef api_size (*api_parameter_length_routine)(api_handle instance, api_handle parameter,
                                                 api_size row);

// Parameter type codes of "ProcessDefinition/BeginParameterDefinition".
enum {
  API_PARTYPE_DOUBLE = 10,
  API_PARTYPE_BOOLEAN = 11,
  API_PARTYPE_STRING = 13,
  API_PARTYPE_TABLE = 14
};

// Contexts of "Global/LaunchProcessInstance".
enum { API_LAUNCH_GLOBAL = 2, API_LAUNCH_CURRENT_VIEW = 3 };

}  // extern "C"

// ---------------------------------------------------------------------------
// The host functions, group by group. Names within a group are in byte order.

#define TRVX_API_FILEFORMAT(X)                                                                   \
  X(FileFormat, BeginKeywordExtraction, api_bool, (api_handle instance))                         \
  X(FileFormat, CloseImageFile, api_bool, (api_handle instance))                                 \
  X(FileFormat, CreateFileFormatInstance, api_handle, (api_handle format))                       \
  X(FileFormat, EndKeywordExtraction, void, (api_handle instance))                               \
  X(FileFormat, GetFileFormatByFileExtension, api_handle,                                        \
    (const char16_t* extension, api_bool toRead, api_bool toWrite))                              \
  X(FileFormat, GetImageCount, uint32_t, (api_handle instance))                                  \
  X(FileFormat, GetImageDescription, api_bool,                                                   \
    (api_handle instance, uint32_t index, api_image_info* info))                                 \
  /* name, value, comment: buffers of `capacity` bytes; false when no record is left */          \
  X(FileFormat, GetNextKeyword, api_bool,                                                        \
    (api_handle instance, char* name, char* value, char* comment, api_size capacity))            \
  X(FileFormat, OpenImageFileEx, api_bool,                                                       \
    (api_handle instance, const char16_t* path, const char* hints, uint32_t flags))              \
  X(FileFormat, ReadImage, api_bool, (api_handle instance, api_image_sink* sink))

#define TRVX_API_GLOBAL(X)                                                                       \
  X(Global, BrowseProcessDocumentation, api_bool, (api_handle process, uint32_t flags))          \
  X(Global, DestroyObject, void, (api_handle object))                                            \
  /* buffer null: *length receives the text length in code units plus one for the NUL */        \
  X(Global, ErrorMessage, api_bool, (uint32_t code, char16_t* buffer, api_size* length))         \
  X(Global, GetConsole, api_handle, (void))                                                      \
  X(Global, GetGlobalInteger, api_bool, (const char* key, int32_t* value))                       \
  X(Global, LastError, uint32_t, (void))                                                         \
  X(Global, LaunchProcessInstance, api_bool,                                                     \
    (api_handle process, api_handle instance, int32_t context, uint32_t flags))                  \
  X(Global, MaxProcessorsAllowedForModule, int32_t, (api_handle module))                         \
  X(Global, ShowConsole, api_bool, (api_handle console, api_bool show))                          \
  X(Global, WriteConsole, api_bool, (api_handle console, const char16_t* text, api_bool newline))

#define TRVX_API_MODULEDEFINITION(X)                                                             \
  X(ModuleDefinition, EnterModuleDefinitionContext, api_bool, (void))                            \
  X(ModuleDefinition, ExitModuleDefinitionContext, api_bool, (void))                             \
  X(ModuleDefinition, SetModuleAllocationRoutine, api_bool, (api_module_allocation_routine))     \
  X(ModuleDefinition, SetModuleDeallocationRoutine, api_bool,                                    \
    (api_module_deallocation_routine))                                                           \
  X(ModuleDefinition, SetModuleOnLoadRoutine, api_bool, (api_module_routine))                    \
  X(ModuleDefinition, SetModuleOnUnloadRoutine, api_bool, (api_module_routine))

#define TRVX_API_PROCESS(X)                                                                      \
  X(Process, CloneProcessInstance, api_handle, (api_handle module, api_handle instance,         \
                                                uint32_t flags))

#define TRVX_API_PROCESSDEFINITION(X)                                                            \
  X(ProcessDefinition, BeginParameterDefinition, api_bool,                                       \
    (api_handle parameter, const char* id, int32_t type))                                        \
  X(ProcessDefinition, BeginProcessDefinition, api_bool, (api_handle process, const char* id))   \
  X(ProcessDefinition, BeginTableColumnDefinition, api_bool,                                     \
    (api_handle parameter, const char* id, int32_t type))                                        \
  X(ProcessDefinition, EndParameterDefinition, api_bool, (void))                                 \
  X(ProcessDefinition, EndProcessDefinition, api_bool, (void))                                   \
  X(ProcessDefinition, EndTableColumnDefinition, api_bool, (void))                               \
  X(ProcessDefinition, EnterProcessDefinitionContext, api_bool, (void))                          \
  X(ProcessDefinition, ExitProcessDefinitionContext, api_bool, (void))                           \
  X(ProcessDefinition, SetDefaultBooleanValue, api_bool, (api_bool value))                       \
  X(ProcessDefinition, SetDefaultNumericValue, api_bool, (double value))                         \
  X(ProcessDefinition, SetDefaultStringValue, api_bool, (const char16_t* value))                 \
  X(ProcessDefinition, SetParameterAliasIdentifiers, api_bool, (const char* aliases))            \
  X(ProcessDefinition, SetParameterAllocationRoutine, api_bool,                                  \
    (api_parameter_allocation_routine))                                                          \
  X(ProcessDefinition, SetParameterDescription, api_bool, (const char16_t* text))                \
  X(ProcessDefinition, SetParameterLengthQueryRoutine, api_bool, (api_parameter_length_routine)) \
  X(ProcessDefinition, SetParameterLockRoutine, api_bool, (api_parameter_lock_routine))          \
  X(ProcessDefinition, SetParameterProcessVersionRange, api_bool,                                \
    (uint32_t first, uint32_t last))                                                             \
  X(ProcessDefinition, SetParameterReadOnly, api_bool, (api_bool readOnly))                      \
  X(ProcessDefinition, SetParameterRequired, api_bool, (api_bool required))                      \
  X(ProcessDefinition, SetParameterScriptComment, api_bool, (const char16_t* text))              \
  X(ProcessDefinition, SetParameterUnlockRoutine, api_bool, (api_parameter_unlock_routine))      \
  X(ProcessDefinition, SetParameterValidationRoutine, api_bool,                                  \
    (api_parameter_validation_routine))                                                          \
  X(ProcessDefinition, SetPrecision, api_bool, (int32_t precision))                              \
  X(ProcessDefinition, SetProcessAliasIdentifiers, api_bool, (const char* aliases))              \
  X(ProcessDefinition, SetProcessAssignmentRoutine, api_bool, (api_instance_assign_routine))     \
  X(ProcessDefinition, SetProcessBrowseDocumentationRoutine, api_bool,                           \
    (api_process_bool_routine))                                                                  \
  X(ProcessDefinition, SetProcessCategory, api_bool, (const char* category))                     \
  X(ProcessDefinition, SetProcessClassInitializationRoutine, api_bool,                           \
    (api_process_class_init_routine))                                                            \
  X(ProcessDefinition, SetProcessClonationRoutine, api_bool, (api_instance_clone_routine))       \
  X(ProcessDefinition, SetProcessCommandLineProcessingRoutine, api_bool,                         \
    (api_process_command_line_routine))                                                          \
  X(ProcessDefinition, SetProcessCreationRoutine, api_bool, (api_process_create_routine))        \
  X(ProcessDefinition, SetProcessDefaultInterfaceSelectionRoutine, api_bool,                     \
    (api_process_interface_routine))                                                             \
  X(ProcessDefinition, SetProcessDescription, api_bool, (const char16_t* text))                  \
  X(ProcessDefinition, SetProcessDestructionRoutine, api_bool, (api_instance_routine))           \
  X(ProcessDefinition, SetProcessEditPreferencesRoutine, api_bool, (api_process_bool_routine))   \
  X(ProcessDefinition, SetProcessExecutionPreferencesRoutine, api_bool,                          \
    (api_process_bool_routine))                                                                  \
  X(ProcessDefinition, SetProcessExecutionRoutine, api_bool, (api_view_bool_routine))            \
  X(ProcessDefinition, SetProcessExecutionValidationRoutine, api_bool,                           \
    (api_view_validation_routine))                                                               \
  X(ProcessDefinition, SetProcessGlobalExecutionRoutine, api_bool, (api_instance_bool_routine))  \
  X(ProcessDefinition, SetProcessGlobalExecutionValidationRoutine, api_bool,                     \
    (api_instance_validation_routine))                                                           \
  X(ProcessDefinition, SetProcessHistoryUpdateValidationRoutine, api_bool,                       \
    (api_view_bool_routine))                                                                     \
  X(ProcessDefinition, SetProcessIPCGetStatusRoutine, api_bool,                                  \
    (api_process_ipc_status_routine))                                                            \
  X(ProcessDefinition, SetProcessIPCSetParametersRoutine, api_bool, (api_process_ipc_routine))   \
  X(ProcessDefinition, SetProcessIPCStartRoutine, api_bool, (api_process_ipc_routine))           \
  X(ProcessDefinition, SetProcessIPCStopRoutine, api_bool, (api_process_ipc_routine))            \
  X(ProcessDefinition, SetProcessIconImage, api_bool, (const char** xpm))                        \
  X(ProcessDefinition, SetProcessIconImageFile, api_bool, (const char16_t* path))                \
  X(ProcessDefinition, SetProcessIconSVG, api_bool, (const char* svg))                           \
  X(ProcessDefinition, SetProcessIconSVGFile, api_bool, (const char16_t* path))                  \
  X(ProcessDefinition, SetProcessIconSmallImage, api_bool, (const char** xpm))                   \
  X(ProcessDefinition, SetProcessIconSmallImageFile, api_bool, (const char16_t* path))           \
  X(ProcessDefinition, SetProcessImageExecutionRoutine, api_bool, (api_image_execution_routine)) \
  X(ProcessDefinition, SetProcessImageExecutionValidationRoutine, api_bool,                      \
    (api_image_validation_routine))                                                              \
  X(ProcessDefinition, SetProcessInitializationRoutine, api_bool, (api_instance_bool_routine))   \
  X(ProcessDefinition, SetProcessInterfaceSelectionRoutine, api_bool,                            \
    (api_instance_interface_routine))                                                            \
  X(ProcessDefinition, SetProcessInterfaceValidationRoutine, api_bool,                           \
    (api_instance_interface_validation_routine))                                                 \
  X(ProcessDefinition, SetProcessMaskValidationRoutine, api_bool, (api_mask_validation_routine)) \
  X(ProcessDefinition, SetProcessPostExecutionRoutine, api_bool, (api_view_routine))             \
  X(ProcessDefinition, SetProcessPostGlobalExecutionRoutine, api_bool, (api_instance_routine))   \
  X(ProcessDefinition, SetProcessPostReadingRoutine, api_bool, (api_instance_routine))           \
  X(ProcessDefinition, SetProcessPostWritingRoutine, api_bool, (api_instance_routine))           \
  X(ProcessDefinition, SetProcessPreExecutionRoutine, api_bool, (api_view_bool_routine))         \
  X(ProcessDefinition, SetProcessPreGlobalExecutionRoutine, api_bool,                            \
    (api_instance_bool_routine))                                                                 \
  X(ProcessDefinition, SetProcessPreReadingRoutine, api_bool, (api_instance_bool_routine))       \
  X(ProcessDefinition, SetProcessPreWritingRoutine, api_bool, (api_instance_bool_routine))       \
  X(ProcessDefinition, SetProcessScriptComment, api_bool, (const char16_t* text))                \
  X(ProcessDefinition, SetProcessSetServerHandleRoutine, api_bool,                               \
    (api_instance_set_server_routine))                                                           \
  X(ProcessDefinition, SetProcessTestClonationRoutine, api_bool, (api_instance_clone_routine))   \
  X(ProcessDefinition, SetProcessUndoModeRoutine, api_bool, (api_view_undo_routine))             \
  X(ProcessDefinition, SetProcessValidationRoutine, api_bool, (api_instance_validation_routine)) \
  X(ProcessDefinition, SetProcessVersion, api_bool, (uint32_t version))                          \
  X(ProcessDefinition, SetScientificNotation, api_bool, (api_bool on))                           \
  X(ProcessDefinition, SetStringAllowedCharacters, api_bool, (const char16_t* characters))       \
  X(ProcessDefinition, SetStringLengthLimits, api_bool, (api_size minLength, api_size maxLength))\
  X(ProcessDefinition, SetTableRowLimits, api_bool, (api_size minRows, api_size maxRows))        \
  X(ProcessDefinition, SetValidNumericRange, api_bool, (double minimum, double maximum))

#define TRVX_API_THREAD(X)                                                                       \
  X(Thread, AppendThreadConsoleOutputText, void,                                                 \
    (api_handle thread, const char16_t* text, api_bool newline))                                 \
  X(Thread, CreateThread, api_handle, (api_handle module, api_thread_routine routine, void* data))\
  X(Thread, GetCurrentThread, api_handle, (void))                                                \
  X(Thread, StartThread, api_bool, (api_handle thread, int32_t priority))                        \
  /* returns when the thread's work has ended; timeout 0xFFFFFFFF waits without limit */         \
  X(Thread, WaitThread, api_bool, (api_handle thread, uint32_t timeoutMs))

// Every group, in byte order of the group names.
#define TRVX_API_GROUPS(G)                                                                       \
  G(FileFormat, TRVX_API_FILEFORMAT)                                                             \
  G(Global, TRVX_API_GLOBAL)                                                                     \
  G(ModuleDefinition, TRVX_API_MODULEDEFINITION)                                                 \
  G(Process, TRVX_API_PROCESS)                                                                   \
  G(ProcessDefinition, TRVX_API_PROCESSDEFINITION)                                               \
  G(Thread, TRVX_API_THREAD)

// Function pointer types: HostAPI_Global_WriteConsole_fn and so on.
#define TRVX_API_DECLARE_FN_TYPE(Group, Function, Ret, Params) \
  typedef Ret(*HostAPI_##Group##_##Function##_fn) Params;
#define TRVX_API_DECLARE_GROUP_TYPES(Group, List) List(TRVX_API_DECLARE_FN_TYPE)
extern "C" {
TRVX_API_GROUPS(TRVX_API_DECLARE_GROUP_TYPES)
}
#undef TRVX_API_DECLARE_GROUP_TYPES
#undef TRVX_API_DECLARE_FN_TYPE

#endif  // TRVX_HOST_HOSTAPI_H
