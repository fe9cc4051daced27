// The Base64 text of a binary payload of an XNML document (a compressed
// subblock or a raw matrix channel), encoded only while the document is
// written: the document holds the bytes, never a second copy as text.
#ifndef TRVX_XNML_BASE64PAYLOAD_H
#define TRVX_XNML_BASE64PAYLOAD_H

#include "compression/ByteArray.h"
#include "core/GenericImage.h"
#include "xml/XMLTextGenerator.h"

namespace px {

// Immutable once built; Generate() may be called any number of times.
class Base64Payload : public XMLTextGenerator {
 public:
  // Takes the bytes over.
  explicit Base64Payload(ByteArray bytes);
  // The samples of one channel, as the image stores them. Shares the
  // image's pixel storage (copy on write): later writes to the caller's
  // image do not reach the payload. REQUIRES: 0 <= channel < channels.
  Base64Payload(const Image& image, int channel);

  void Generate(std::string& out) const override;
  size_t Length() const override;
  // The Base64 alphabet holds nothing that XML escapes.
  bool IsEscapeFree() const override { return true; }

 private:
  ByteArray bytes_;
  Image image_;
  const void* data_;
  size_t size_;
};

}  // namespace px

#endif
