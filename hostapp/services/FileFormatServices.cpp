// "FileFormat/..." services: one installed format, XISF, read-only.
#include <algorithm>
#include <cstring>
#include <exception>
#include <new>

#include "hostapp/console/HostConsole.h"
#include "hostapp/services/HandleTable.h"
#include "hostapp/services/HostErrors.h"
#include "hostapp/services/HostThread.h"
#include "hostapp/services/ImageFile.h"
#include "hostapp/services/ServiceRegistry.h"
#include "hostapp/services/TextConversion.h"

namespace hostapp {

namespace {

// The XISF format's handle; formats are never released.
struct XisfFormat {};
XisfFormat s_xisf;

bool IsXisfExtension(const char16_t* extension) {
  static const char16_t kXisf[] = u".xisf";
  if (extension == nullptr) return false;
  for (size_t i = 0; i < 5; ++i) {
    char16_t c = extension[i];
    if (c >= u'A' && c <= u'Z') c = char16_t(c - u'A' + u'a');
    if (c != kXisf[i]) return false;
  }
  return extension[5] == 0;
}

ImageFile* ImageFileOf(api_handle handle) {
  if (!HandleTable::Is(handle, HandleKind::ImageFile)) {
    SetHostError(kHostErrorInvalidHandle, std::string("Invalid image file handle"));
    return nullptr;
  }
  return static_cast<ImageFile*>(handle);
}

ImageFile* OpenImageFileOf(api_handle handle) {
  ImageFile* file = ImageFileOf(handle);
  if (file != nullptr && !file->IsOpen()) {
    SetHostError(kHostErrorState, std::string("No image file is open"));
    return nullptr;
  }
  return file;
}

// One red console line naming the file and the cause; also the host's last
// error, so the module's error report can quote it.
void ReportFileError(uint32_t code, const std::string& utf8Path, const std::string& cause) {
  std::string message = utf8Path + ": " + cause;
  SetHostError(code, message);
  std::u16string line = u"\x1b[31m*** Error: " + Utf8ToUtf16(message) + u"\x1b[39m";
  if (HostThread* thread = HostThread::Current())
    thread->AppendConsoleText(line, true);
  else
    HostConsole::Instance().Write(line, true);
}

// Copies a field into a buffer of `capacity` bytes, cut to capacity-1, NUL
// terminated. A null buffer skips the field.
void CopyField(char* buffer, const std::string& field, api_size capacity) {
  if (buffer == nullptr) return;
  size_t n = std::min<api_size>(field.size(), capacity - 1);
  std::memcpy(buffer, field.data(), n);
  buffer[n] = '\0';
}

api_bool BeginKeywordExtraction(api_handle instance) {
  ImageFile* file = OpenImageFileOf(instance);
  return file != nullptr && file->BeginKeywords() ? 1 : 0;
}

api_bool CloseImageFile(api_handle instance) {
  ImageFile* file = OpenImageFileOf(instance);
  return file != nullptr && file->Close() ? 1 : 0;
}

api_handle CreateFileFormatInstance(api_handle format) {
  if (format != &s_xisf) {
    SetHostError(kHostErrorInvalidHandle, std::string("Invalid file format handle"));
    return nullptr;
  }
  auto* file = new ImageFile;
  HandleTable::Add(file, HandleKind::ImageFile, [file] { delete file; });
  return file;
}

void EndKeywordExtraction(api_handle instance) {
  if (ImageFile* file = ImageFileOf(instance)) file->EndKeywords();
}

api_handle GetFileFormatByFileExtension(const char16_t* extension, api_bool /*toRead*/,
                                        api_bool toWrite) {
  // XISF is readable here, never writable.
  if (!IsXisfExtension(extension) || toWrite) return nullptr;
  HandleTable::Add(&s_xisf, HandleKind::FileFormat);
  return &s_xisf;
}

uint32_t GetImageCount(api_handle instance) {
  ImageFile* file = OpenImageFileOf(instance);
  return file != nullptr ? file->ImageCount() : 0;
}

api_bool GetImageDescription(api_handle instance, uint32_t index, api_image_info* info) {
  ImageFile* file = OpenImageFileOf(instance);
  if (file == nullptr) return 0;
  if (info == nullptr || !file->Describe(index, *info)) {
    SetHostError(kHostErrorInvalidArgument, std::string("No image of that index"));
    return 0;
  }
  return 1;
}

api_bool GetNextKeyword(api_handle instance, char* name, char* value, char* comment,
                        api_size capacity) {
  ImageFile* file = ImageFileOf(instance);
  if (file == nullptr) return 0;
  if (capacity == 0) {
    SetHostError(kHostErrorInvalidArgument, std::string("Zero keyword buffer capacity"));
    return 0;
  }
  const FitsKeyword* keyword = file->NextKeyword();
  if (keyword == nullptr) return 0;
  CopyField(name, keyword->name, capacity);
  CopyField(value, keyword->value, capacity);
  CopyField(comment, keyword->comment, capacity);
  return 1;
}

api_bool OpenImageFileEx(api_handle instance, const char16_t* path, const char* /*hints*/,
                         uint32_t /*flags*/) {
  ImageFile* file = ImageFileOf(instance);
  if (file == nullptr) return 0;
  if (path == nullptr) {
    SetHostError(kHostErrorInvalidArgument, std::string("Null file path"));
    return 0;
  }
  std::string utf8Path = Utf16ToUtf8(path);
  try {
    file->Open(utf8Path);
    return 1;
  } catch (const XisfError& e) {
    ReportFileError(kHostErrorFileOpen, utf8Path, e.what());
  } catch (const std::bad_alloc&) {
    ReportFileError(kHostErrorFileOpen, utf8Path, "out of memory");
  } catch (const std::exception& e) {
    ReportFileError(kHostErrorFileOpen, utf8Path, e.what());
  }
  return 0;
}

api_bool ReadImage(api_handle instance, api_image_sink* sink) {
  ImageFile* file = OpenImageFileOf(instance);
  if (file == nullptr) return 0;
  if (sink == nullptr) {
    SetHostError(kHostErrorInvalidArgument, std::string("Null image sink"));
    return 0;
  }
  try {
    if (file->ReadImage(*sink)) return 1;
    SetHostError(kHostErrorFileRead, file->Path() + ": no image, or no storage for it");
  } catch (const XisfError& e) {
    ReportFileError(kHostErrorFileRead, file->Path(), e.what());
  } catch (const std::bad_alloc&) {
    ReportFileError(kHostErrorFileRead, file->Path(), "out of memory");
  } catch (const std::exception& e) {
    ReportFileError(kHostErrorFileRead, file->Path(), e.what());
  }
  return 0;
}

}  // namespace

void RegisterFileFormatServices(ServiceRegistry& registry) {
  HOSTAPP_REGISTER(registry, FileFormat, BeginKeywordExtraction, BeginKeywordExtraction);
  HOSTAPP_REGISTER(registry, FileFormat, CloseImageFile, CloseImageFile);
  HOSTAPP_REGISTER(registry, FileFormat, CreateFileFormatInstance, CreateFileFormatInstance);
  HOSTAPP_REGISTER(registry, FileFormat, EndKeywordExtraction, EndKeywordExtraction);
  HOSTAPP_REGISTER(registry, FileFormat, GetFileFormatByFileExtension, GetFileFormatByFileExtension);
  HOSTAPP_REGISTER(registry, FileFormat, GetImageCount, GetImageCount);
  HOSTAPP_REGISTER(registry, FileFormat, GetImageDescription, GetImageDescription);
  HOSTAPP_REGISTER(registry, FileFormat, GetNextKeyword, GetNextKeyword);
  HOSTAPP_REGISTER(registry, FileFormat, OpenImageFileEx, OpenImageFileEx);
  HOSTAPP_REGISTER(registry, FileFormat, ReadImage, ReadImage);
}

}  // namespace hostapp
