// What an Image element declares, checked and typed: geometry, sample
// format, colour space, pixel storage, byte order, data location and
// compression.
#ifndef TRVX_HOSTAPP_XISF_XISFLAYOUT_H
#define TRVX_HOSTAPP_XISF_XISFLAYOUT_H

#include <cstdint>
#include <string>

#include "hostapp/xisf/XisfCodec.h"
#include "hostapp/xisf/XisfHeader.h"
#include "hostapp/xisf/XisfTypes.h"

namespace hostapp::xisf {

struct Location {
  enum class Kind { Attachment, InlineBase64, InlineHex, Embedded } kind = Kind::Attachment;
  uint64_t position = 0, size = 0;  // attachments only
};

struct ImageLayout {
  XisfImageInfo info;
  bool planar = true;
  bool bigEndian = false;
  Location location;
  Compression compression;  // codec None: stored as is
  uint64_t byteSize = 0;    // width * height * channels * bytes per sample
};

// Bits and kind of a sample format name; false for an unknown name.
bool SampleFormatByName(const std::string& name, uint32_t& bits, bool& isFloat);

// Geometry ("W:H:C", each at least 1), sample format and colour space
// (Gray by default; RGB needs 3 channels). Throws XisfError.
XisfImageInfo ParseImageInfo(const ImageElement& image);
// ParseImageInfo plus storage, byte order, location and compression, with the
// geometry's byte size computed without overflow. Throws XisfError.
ImageLayout ParseImageLayout(const ImageElement& image);

// "W:H:C" as written in the geometry attribute.
std::string GeometryText(const XisfImageInfo& info);

}  // namespace hostapp::xisf

#endif
