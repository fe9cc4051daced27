#include "xnml/Base64Payload.h"

#include "compression/Base64.h"

namespace px {

Base64Payload::Base64Payload(ByteArray bytes) : bytes_(std::move(bytes)), data_(bytes_.Data()), size_(bytes_.Size()) {}

Base64Payload::Base64Payload(const Image& image, int channel)
    : image_(image),
      data_(static_cast<const Image&>(image_).PixelData(channel)),
      size_(image_.NumberOfPixels() * sizeof(float)) {}

void Base64Payload::Generate(std::string& out) const { AppendBase64(out, data_, size_); }

size_t Base64Payload::Length() const { return Base64Length(size_); }

}  // namespace px
