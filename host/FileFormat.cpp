#include "host/FileFormat.h"

#include "core/Exception.h"
#include "host/APIInterface.h"

namespace px {

FileFormat::FileFormat(const String& extension, bool toRead, bool toWrite) {
  String ext = extension.Trimmed();
  if (ext.IsEmpty())
    throw Error("FileFormat: Empty format name, file extension or MIME type specified");
  handle_ = API->FileFormat.GetFileFormatByFileExtension(ext.c_str(), toRead, toWrite);
  if (handle_ == nullptr)
    throw Error("FileFormat: No installed image file format was found for the specified file extension '" +
                ext + "' and access conditions");
}

bool FileFormat::IsSupportedFileName(const String& fileName, bool toRead, bool toWrite) {
  size_t slash = fileName.FindLast(u'/');
  size_t dot = fileName.FindLast(u'.');
  if (dot == String::notFound || (slash != String::notFound && dot < slash)) return false;
  String ext = fileName.Substring(dot);
  return API->FileFormat.GetFileFormatByFileExtension(ext.c_str(), toRead, toWrite) != nullptr;
}

}  // namespace px
