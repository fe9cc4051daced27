// Writes a monolithic XISF 1.0 file holding one image given as planar
// floats, with FITS keywords; used for the demo set and test fixtures.
#ifndef TRVX_HOSTAPP_XISF_XISFWRITER_H
#define TRVX_HOSTAPP_XISF_XISFWRITER_H

#include <cstdint>
#include <string>
#include <vector>

#include "hostapp/xisf/XisfTypes.h"

namespace hostapp {

struct XisfWriteOptions {
  std::string sampleFormat = "Float32";  // UInt8, UInt16, UInt32, Float32, Float64
  std::string codec;                     // "" none, "zlib", "lz4", "lz4hc", "zstd"
  bool shuffle = false;                  // only with a codec
  bool normalStorage = false;            // interleaved instead of planar
  bool bigEndian = false;
  enum class Location { Attachment, InlineBase64, InlineHex, Embedded } location = Location::Attachment;
  size_t subblockSize = 0;  // with a codec: split into subblocks of this many bytes (0: one stream)
};

// The file's bytes. `planar` holds width*height*channels floats, plane k at
// k*width*height. Keyword fields are ISO 8859-1 bytes and are written as
// given (string values carry their own quotes). Integer formats clamp to
// [0,1] and round (NaN becomes 0). Throws XisfError for an unknown format or codec, a
// geometry with a zero dimension or an RGB image with fewer than 3 channels.
std::string XisfBytes(uint32_t width, uint32_t height, uint32_t channels, ColorSpace cs, const float* planar,
                      const std::vector<FitsKeyword>& keywords, const XisfWriteOptions& options = {});

// Writes XisfBytes to `utf8Path`, replacing the file. Throws XisfError.
void WriteXisf(const std::string& utf8Path, uint32_t width, uint32_t height, uint32_t channels, ColorSpace cs,
               const float* planar, const std::vector<FitsKeyword>& keywords, const XisfWriteOptions& options = {});

}  // namespace hostapp

#endif
