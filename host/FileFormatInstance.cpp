#include "host/FileFormatInstance.h"

#include <new>

#include "host/APIError.h"
#include "host/APIInterface.h"

namespace px {

FileFormatInstance::FileFormatInstance(const FileFormat& format) {
  handle_ = API->FileFormat.CreateFileFormatInstance(format.Handle());
  if (handle_ == nullptr) throw APIFunctionError("CreateFileFormatInstance");
}

FileFormatInstance::~FileFormatInstance() {
  if (handle_ != nullptr && API != nullptr) API->Global.DestroyObject(handle_);
}

bool FileFormatInstance::Open(std::vector<ImageDescription>& images, const String& path,
                              const IsoString& hints) {
  images.clear();
  open_ = API->FileFormat.OpenImageFileEx(handle_, path.c_str(), hints.c_str(), 0) != 0;
  if (!open_) return false;
  uint32_t count = API->FileFormat.GetImageCount(handle_);
  for (uint32_t i = 0; i < count; ++i) {
    api_image_info info{};
    if (!API->FileFormat.GetImageDescription(handle_, i, &info)) break;
    ImageDescription d;
    d.width = int(info.width);
    d.height = int(info.height);
    d.numberOfChannels = int(info.numberOfChannels);
    d.colorSpace = info.colorSpace == API_COLORSPACE_RGB ? ColorSpace::RGB : ColorSpace::Gray;
    d.bitsPerSample = int(info.bitsPerSample);
    d.floatSample = info.floatSample != 0;
    images.push_back(d);
  }
  return true;
}

bool FileFormatInstance::ReadFITSKeywords(FITSKeywordArray& keywords) {
  keywords.clear();
  if (!API->FileFormat.BeginKeywordExtraction(handle_)) return false;
  // Each field is at most 256 bytes; one more for the terminating NUL.
  constexpr api_size capacity = 257;
  char name[capacity], value[capacity], comment[capacity];
  for (;;) {
    name[0] = value[0] = comment[0] = '\0';
    if (!API->FileFormat.GetNextKeyword(handle_, name, value, comment, capacity)) break;
    name[capacity - 1] = value[capacity - 1] = comment[capacity - 1] = '\0';
    keywords.emplace_back(IsoString(name), IsoString(value), IsoString(comment));
  }
  API->FileFormat.EndKeywordExtraction(handle_);
  return true;
}

namespace {
float* AllocateSink(void* context, uint32_t width, uint32_t height, uint32_t channels,
                    int32_t colorSpace) {
  auto* image = static_cast<Image*>(context);
  try {
    if (width > 0x7FFFFFFFu || height > 0x7FFFFFFFu || channels > 0x7FFFFFFFu) return nullptr;
    image->AllocateData(int(width), int(height), int(channels),
                        colorSpace == API_COLORSPACE_RGB ? ColorSpace::RGB : ColorSpace::Gray);
    return image->PixelData(0);
  } catch (const std::bad_alloc&) {
    image->FreeData();
    return nullptr;
  }
}
}  // namespace

bool FileFormatInstance::ReadImage(Image& image) {
  image.FreeData();
  api_image_sink sink{&image, &AllocateSink};
  if (!API->FileFormat.ReadImage(handle_, &sink)) {
    image.FreeData();
    return false;
  }
  return true;
}

bool FileFormatInstance::Close() {
  bool closed = API->FileFormat.CloseImageFile(handle_) != 0;
  if (closed) open_ = false;
  return closed;
}

}  // namespace px
