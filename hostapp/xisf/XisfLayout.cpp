#include "hostapp/xisf/XisfLayout.h"

#include "hostapp/xisf/XisfNumbers.h"

namespace hostapp::xisf {
namespace {

uint32_t ParseDimension(const std::string& text, const std::string& geometry) {
  uint64_t v = 0;
  if (!ParseUInt64(text, v) || v == 0 || v > UINT32_MAX)
    throw XisfError("invalid geometry '" + geometry + "'");
  return uint32_t(v);
}

Location ParseLocation(const std::string& text) {
  Location l;
  if (text.empty()) throw XisfError("the Image element has no location");
  if (text == "inline:base64") l.kind = Location::Kind::InlineBase64;
  else if (text == "inline:hex") l.kind = Location::Kind::InlineHex;
  else if (text == "embedded") l.kind = Location::Kind::Embedded;
  else {
    std::vector<std::string> parts = SplitText(text, ':');
    if (parts.size() != 3 || parts[0] != "attachment" || !ParseUInt64(parts[1], l.position) ||
        !ParseUInt64(parts[2], l.size))
      throw XisfError("invalid data location '" + text + "'");
    l.kind = Location::Kind::Attachment;
  }
  return l;
}

}  // namespace

bool SampleFormatByName(const std::string& name, uint32_t& bits, bool& isFloat) {
  struct Format {
    const char* name;
    uint32_t bits;
    bool isFloat;
  };
  static const Format kFormats[] = {{"UInt8", 8, false},   {"UInt16", 16, false}, {"UInt32", 32, false},
                                    {"Float32", 32, true}, {"Float64", 64, true}};
  for (const Format& f : kFormats)
    if (name == f.name) {
      bits = f.bits;
      isFloat = f.isFloat;
      return true;
    }
  return false;
}

XisfImageInfo ParseImageInfo(const ImageElement& image) {
  XisfImageInfo info;
  if (image.geometry.empty()) throw XisfError("the Image element has no geometry");
  std::vector<std::string> dims = SplitText(image.geometry, ':');
  if (dims.size() != 3)
    throw XisfError("geometry '" + image.geometry + "' is not width:height:channels");
  info.width = ParseDimension(dims[0], image.geometry);
  info.height = ParseDimension(dims[1], image.geometry);
  info.channels = ParseDimension(dims[2], image.geometry);

  if (image.sampleFormat.empty()) throw XisfError("the Image element has no sample format");
  if (!SampleFormatByName(image.sampleFormat, info.bitsPerSample, info.floatSample))
    throw XisfError("unknown sample format '" + image.sampleFormat + "'");
  info.sampleFormat = image.sampleFormat;

  if (image.colorSpace.empty() || image.colorSpace == "Gray") info.colorSpace = ColorSpace::Gray;
  else if (image.colorSpace == "RGB") info.colorSpace = ColorSpace::RGB;
  else throw XisfError("unknown colour space '" + image.colorSpace + "'");
  if (info.colorSpace == ColorSpace::RGB && info.channels < 3)
    throw XisfError("an RGB image needs 3 channels, geometry '" + image.geometry + "' has " +
                    std::to_string(info.channels));
  return info;
}

ImageLayout ParseImageLayout(const ImageElement& image) {
  ImageLayout layout;
  layout.info = ParseImageInfo(image);
  const XisfImageInfo& info = layout.info;
  uint64_t bytes = info.width;
  if (!MulChecked(bytes, info.height) || !MulChecked(bytes, info.channels) ||
      !MulChecked(bytes, info.bitsPerSample / 8) || bytes > uint64_t(SIZE_MAX) / 4)
    throw XisfError("geometry '" + image.geometry + "' is too large");
  layout.byteSize = bytes;

  if (image.pixelStorage.empty() || image.pixelStorage == "Planar") layout.planar = true;
  else if (image.pixelStorage == "Normal") layout.planar = false;
  else throw XisfError("unknown pixel storage '" + image.pixelStorage + "'");

  if (image.byteOrder.empty() || image.byteOrder == "little") layout.bigEndian = false;
  else if (image.byteOrder == "big") layout.bigEndian = true;
  else throw XisfError("unknown byte order '" + image.byteOrder + "'");

  layout.location = ParseLocation(image.location);
  if (!image.compression.empty())
    layout.compression = ParseCompression(image.compression, image.subblocks, info.bitsPerSample / 8);
  return layout;
}

std::string GeometryText(const XisfImageInfo& info) {
  return std::to_string(info.width) + ":" + std::to_string(info.height) + ":" + std::to_string(info.channels);
}

}  // namespace hostapp::xisf
