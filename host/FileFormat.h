// An installed image file format of the host, looked up by file extension.
#ifndef TRVX_HOST_FILEFORMAT_H
#define TRVX_HOST_FILEFORMAT_H

#include <vector>

#include "core/String.h"
#include "host/HostAPI.h"

namespace px {

class FileFormat {
 public:
  // The installed format for `extension` (dot included, as
  // File::ExtractExtension returns it) with the required access. Throws
  // Error "FileFormat: Empty format name, file extension or MIME type
  // specified" for an empty extension, and "FileFormat: No installed image
  // file format was found for the specified file extension '<ext>' and
  // access conditions" when the host has none.
  FileFormat(const String& extension, bool toRead, bool toWrite);

  // Whether the host has an installed format for the extension of
  // `fileName` with the required access. Never throws for a missing format.
  static bool IsSupportedFileName(const String& fileName, bool toRead, bool toWrite);

  // Full paths of the image files below `directory` for which the host has
  // an installed format with the required access, in enumeration order, each
  // directory's own files before those of its subdirectories. Symbolic links
  // are skipped unless `followLinks`; a followed link is treated as a file.
  // An empty directory name yields an empty list.
  static std::vector<String> SupportedImageFiles(const String& directory, bool toRead,
                                                 bool toWrite, bool recursive = true,
                                                 bool followLinks = false);

  // The host's handle; formats belong to the host and are never released.
  api_handle Handle() const { return handle_; }

 private:
  api_handle handle_ = nullptr;
};

}  // namespace px

#endif
