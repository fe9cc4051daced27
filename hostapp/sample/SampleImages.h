// Deterministic synthetic pixels for the demo set: star fields standing in
// for raw frames and smooth offset surfaces standing in for TRV outputs.
#ifndef TRVX_HOSTAPP_SAMPLE_SAMPLEIMAGES_H
#define TRVX_HOSTAPP_SAMPLE_SAMPLEIMAGES_H

#include <cstdint>
#include <vector>

namespace hostapp {

// Small reproducible generator (the same sequence on every platform).
class SampleNoise {
 public:
  explicit SampleNoise(uint64_t seed) : state_(seed) {}
  // Uniform in [-1, 1).
  double Next();

 private:
  uint64_t state_;
};

// Planar channels of width*height samples in [0,1]: a sky gradient, a few
// dozen stars and faint noise (about 20 ADU at 16 bits). Same seed, same pixels.
std::vector<float> StarField(uint32_t width, uint32_t height, uint32_t channels, uint64_t seed);

// Planar channels: a low-order polynomial surface per channel of a few
// hundredths amplitude, plus noise of about 1e-4.
std::vector<float> OffsetSurface(uint32_t width, uint32_t height, uint32_t channels, uint64_t seed);

}  // namespace hostapp

#endif
