// The module library's three exported entry points and its identification
// record, as a host calls and reads them. Shared by the module, which defines
// the entry points, and by any host that loads the library.
#ifndef TRVX_HOST_ENTRYPOINTS_H
#define TRVX_HOST_ENTRYPOINTS_H

#include <cstddef>
#include <cstdint>

#include "host/HostAPI.h"

#define TRVX_MODULE_EXPORT extern "C" __attribute__((visibility("default")))

extern "C" {

// Identification record: 80 bytes, little-endian, natural alignment. The text
// pointers at offsets 16..64 are owned by the module and valid between
// identification phases 1 and 255; an empty text is a null pointer.
typedef struct api_module_description {
  uint64_t uniqueId;                // 0
  const char* version;              // 8: static, never freed
  const char* name;                 // 16
  const char16_t* description;      // 24
  const char16_t* company;          // 32
  const char16_t* author;           // 40
  const char16_t* copyright;        // 48
  const char16_t* tradeMarks;       // 56
  const char16_t* originalFileName; // 64
  uint16_t releaseYear;             // 72
  uint8_t releaseMonth;             // 74
  uint8_t releaseDay;               // 75
  uint32_t apiVersion;              // 76
} api_module_description;

typedef int32_t (*IdentifyPixInsightModule_fn)(api_module_description** description,
                                               int32_t phase);
typedef int32_t (*InitializePixInsightModule_fn)(api_handle moduleHandle,
                                                 api_function_resolver resolver,
                                                 uint32_t apiVersion);
typedef int32_t (*InstallPixInsightModule_fn)(int32_t mode);

}  // extern "C"

static_assert(sizeof(api_module_description) == 80, "identification record is 80 bytes");
static_assert(offsetof(api_module_description, releaseYear) == 72, "record layout");
static_assert(offsetof(api_module_description, apiVersion) == 76, "record layout");

#endif  // TRVX_HOST_ENTRYPOINTS_H
