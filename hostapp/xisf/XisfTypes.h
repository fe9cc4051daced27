// Value types shared by the XISF reader and writer: colour space, FITS
// keyword record, image description and the reader's error.
#ifndef TRVX_HOSTAPP_XISF_XISFTYPES_H
#define TRVX_HOSTAPP_XISF_XISFTYPES_H

#include <cstdint>
#include <stdexcept>
#include <string>

namespace hostapp {

enum class ColorSpace { Gray = 1, RGB = 2 };

// One FITS header record. Fields are ISO 8859-1 bytes, trimmed of tab, LF,
// CR and space at both ends, at most 256 bytes each.
struct FitsKeyword {
  std::string name, value, comment;
};

struct XisfImageInfo {
  uint32_t width = 0, height = 0, channels = 0;  // channels = nominal + alpha
  ColorSpace colorSpace = ColorSpace::Gray;
  std::string sampleFormat;  // "UInt8", "UInt16", "UInt32", "Float32" or "Float64"
  uint32_t bitsPerSample = 0;
  bool floatSample = false;
};

// What is wrong with a file, without the file name (callers prefix it).
class XisfError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace hostapp

#endif
