#include "module/APIInitializer.h"

#include <algorithm>
#include <cstdio>

#include "framework/MetaModule.h"
#include "host/APIInterface.h"
#include "module/TRVXModule.h"
#include "process/TRVXProcess.h"

namespace px {

namespace {

api_module_description* s_record = nullptr;

// Record texts are owned by the record: copies made here, freed in phase 255.
// An empty text is a null pointer.
const char* OwnedCopy(const IsoString& text) {
  if (text.IsEmpty()) return nullptr;
  char* buffer = new char[text.Length() + 1];
  std::copy_n(text.c_str(), text.Length() + 1, buffer);
  return buffer;
}

const char16_t* OwnedCopy(const String& text) {
  if (text.IsEmpty()) return nullptr;
  char16_t* buffer = new char16_t[text.Length() + 1];
  std::copy_n(text.c_str(), text.Length() + 1, buffer);
  return buffer;
}

void ReleaseRecord() {
  delete[] s_record->name;
  delete[] s_record->description;
  delete[] s_record->company;
  delete[] s_record->author;
  delete[] s_record->copyright;
  delete[] s_record->tradeMarks;
  delete[] s_record->originalFileName;
  delete s_record;
  s_record = nullptr;
}

void BuildRecord(const MetaModule& module) {
  // Built in place so that a failing metadata call leaves a releasable record.
  s_record = new api_module_description{};
  s_record->uniqueId = module.UniqueId();
  s_record->version = module.Version();
  try {
    s_record->name = OwnedCopy(module.Name());
    s_record->description = OwnedCopy(module.Description());
    s_record->company = OwnedCopy(module.Company());
    s_record->author = OwnedCopy(module.Author());
    s_record->copyright = OwnedCopy(module.Copyright());
    s_record->tradeMarks = OwnedCopy(module.TradeMarks());
    s_record->originalFileName = OwnedCopy(module.OriginalFileName());
  } catch (...) {
    ReleaseRecord();
    throw;
  }
  int year = 0, month = 0, day = 0;
  module.GetReleaseDate(year, month, day);
  s_record->releaseYear = static_cast<uint16_t>(year);
  s_record->releaseMonth = static_cast<uint8_t>(month);
  s_record->releaseDay = static_cast<uint8_t>(day);
  s_record->apiVersion = API_VERSION;
}

}  // namespace

Error APIInitializer::HackingError(const String& what) {
  return Error(String("Possible hacking attempt: ") + what);
}

void APIInitializer::Install(int mode) {
  new TRVXModule;
  if (mode == 0) {
    new TRVXProcess;
    // The interface panel, the module's second child, is created here once
    // it exists; until then the module has the process only.
  }
}

void APIInitializer::Identify(api_module_description** description, int phase) {
  switch (phase) {
    case 0:
      if (s_record != nullptr) throw HackingError("Invalid API identification call (phase 0).");
      if (Module == nullptr)
        throw Error(
            "Module metadata not available. Please instantiate a MetaModule descendent class "
            "upon module installation.");
      BuildRecord(*Module);
      break;
    case 1:
      if (s_record == nullptr) throw HackingError("Invalid API identification call (phase 1).");
      if (description == nullptr) throw HackingError("Invalid API module description structure.");
      *description = s_record;
      break;
    case 255:
      if (s_record == nullptr) throw HackingError("Invalid API identification call (phase 255).");
      ReleaseRecord();
      break;
    default:
      break;
  }
}

void APIInitializer::Initialize(api_handle moduleHandle, api_function_resolver resolver,
                                uint32_t apiVersion) {
  SetModuleHandle(moduleHandle);
  if (API != nullptr) throw HackingError("Unexpected API module initialization call.");
  if (resolver == nullptr) throw HackingError("Invalid API function resolver address.");
  if (apiVersion < API_VERSION) {
    char text[96];
    std::snprintf(text, sizeof(text), "Unsupported API version %X (expected >= %X).", apiVersion,
                  unsigned(API_VERSION));
    throw Error(text);
  }
  if (Module == nullptr)
    throw Error(
        "Module metadata not available. Please instantiate a MetaModule descendant upon module "
        "installation.");
  API = new APIInterface(resolver);
  try {
    Module->PerformAPIDefinitions();
  } catch (...) {
    delete API;
    API = nullptr;
    throw;
  }
}

const api_module_description* APIInitializer::Record() { return s_record; }

}  // namespace px
