#include "hostapp/xisf/XisfSamples.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace hostapp::xisf {
namespace {

// Reads one sample of `size` bytes in file byte order as a host integer.
uint64_t LoadBits(const uint8_t* p, size_t size, bool bigEndian) {
  uint64_t v = 0;
  for (size_t i = 0; i < size; ++i) {
    size_t shift = 8 * (bigEndian ? size - 1 - i : i);
    v |= uint64_t(p[i]) << shift;
  }
  return v;
}

void StoreBits(uint8_t* p, size_t size, bool bigEndian, uint64_t v) {
  for (size_t i = 0; i < size; ++i) p[i] = uint8_t(v >> (8 * (bigEndian ? size - 1 - i : i)));
}

float ToFloat(const XisfImageInfo& info, uint64_t bits) {
  if (info.floatSample) {
    if (info.bitsPerSample == 32) {
      uint32_t b = uint32_t(bits);
      float f;
      std::memcpy(&f, &b, sizeof f);
      return f;
    }
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return float(d);
  }
  const double max = double((uint64_t(1) << info.bitsPerSample) - 1);
  return float(double(bits) / max);
}

uint64_t FromFloat(const XisfImageInfo& info, float f) {
  if (info.floatSample) {
    if (info.bitsPerSample == 32) {
      uint32_t b;
      std::memcpy(&b, &f, sizeof b);
      return b;
    }
    double d = f;
    uint64_t b;
    std::memcpy(&b, &d, sizeof b);
    return b;
  }
  const double max = double((uint64_t(1) << info.bitsPerSample) - 1);
  double v = std::isnan(f) ? 0.0 : std::clamp(double(f), 0.0, 1.0);
  return uint64_t(std::llround(v * max));
}

// Byte offset of sample (pixel, channel) in the block.
size_t Offset(const XisfImageInfo& info, bool planar, size_t pixel, size_t channel, size_t pixels) {
  size_t index = planar ? channel * pixels + pixel : pixel * info.channels + channel;
  return index * (info.bitsPerSample / 8);
}

}  // namespace

void DecodeSamples(const XisfImageInfo& info, bool planar, bool bigEndian, const uint8_t* bytes, float* out) {
  const size_t pixels = size_t(info.width) * info.height;
  const size_t size = info.bitsPerSample / 8;
  for (size_t c = 0; c < info.channels; ++c)
    for (size_t p = 0; p < pixels; ++p)
      out[c * pixels + p] = ToFloat(info, LoadBits(bytes + Offset(info, planar, p, c, pixels), size, bigEndian));
}

std::vector<uint8_t> EncodeSamples(const XisfImageInfo& info, bool planar, bool bigEndian, const float* planarIn) {
  const size_t pixels = size_t(info.width) * info.height;
  const size_t size = info.bitsPerSample / 8;
  std::vector<uint8_t> bytes(pixels * info.channels * size);
  for (size_t c = 0; c < info.channels; ++c)
    for (size_t p = 0; p < pixels; ++p)
      StoreBits(bytes.data() + Offset(info, planar, p, c, pixels), size, bigEndian,
                FromFloat(info, planarIn[c * pixels + p]));
  return bytes;
}

}  // namespace hostapp::xisf
