// Conversion between the sample bytes of an XISF data block and planar
// 32-bit floats.
#ifndef TRVX_HOSTAPP_XISF_XISFSAMPLES_H
#define TRVX_HOSTAPP_XISF_XISFSAMPLES_H

#include <cstdint>
#include <vector>

#include "hostapp/xisf/XisfTypes.h"

namespace hostapp::xisf {

// Integer samples scale to [0,1] by v / (2^bits - 1); floats are copied.
// REQUIRES: `bytes` holds exactly width*height*channels samples of the
// info's format; `out` holds width*height*channels floats (planar).
void DecodeSamples(const XisfImageInfo& info, bool planar, bool bigEndian, const uint8_t* bytes, float* out);

// Inverse of DecodeSamples: integer formats clamp to [0,1] and round.
std::vector<uint8_t> EncodeSamples(const XisfImageInfo& info, bool planar, bool bigEndian, const float* planarIn);

}  // namespace hostapp::xisf

#endif
