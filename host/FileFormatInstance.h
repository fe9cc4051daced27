// One image file opened through an installed host format. Owns the host's
// file instance and releases it when destroyed (without closing explicitly).
#ifndef TRVX_HOST_FILEFORMATINSTANCE_H
#define TRVX_HOST_FILEFORMATINSTANCE_H

#include <vector>

#include "core/FITSHeaderKeyword.h"
#include "core/GenericImage.h"
#include "core/IsoString.h"
#include "core/String.h"
#include "host/FileFormat.h"

namespace px {

// What the host tells about one image of an open file.
struct ImageDescription {
  int width = 0;
  int height = 0;
  int numberOfChannels = 0;
  ColorSpace colorSpace = ColorSpace::Gray;
  int bitsPerSample = 0;
  bool floatSample = false;
};

class FileFormatInstance {
 public:
  // Creates a file instance of `format`. Throws APIFunctionError
  // ("CreateFileFormatInstance") when the host cannot.
  explicit FileFormatInstance(const FileFormat& format);
  ~FileFormatInstance();
  FileFormatInstance(const FileFormatInstance&) = delete;
  FileFormatInstance& operator=(const FileFormatInstance&) = delete;

  // Opens `path` with the format hints; fills `images` with one description
  // per image of the file. Returns false when the host could not open it.
  bool Open(std::vector<ImageDescription>& images, const String& path,
            const IsoString& hints = IsoString());

  // Replaces `keywords` with the FITS records of the first image, in header
  // order. Returns false (and an empty list) when the format supplies none.
  bool ReadFITSKeywords(FITSKeywordArray& keywords);

  // Reads the first image, all channels, as 32-bit floats. On failure the
  // image is left empty and the result is false.
  bool ReadImage(Image& image);

  // Closes the file; true when the host closed it.
  bool Close();

  bool IsOpen() const { return open_; }

 private:
  api_handle handle_ = nullptr;
  bool open_ = false;
};

}  // namespace px

#endif
