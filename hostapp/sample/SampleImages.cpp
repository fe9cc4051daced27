#include "hostapp/sample/SampleImages.h"

#include <algorithm>
#include <cmath>

namespace hostapp {

double SampleNoise::Next() {
  // splitmix64
  uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  z ^= z >> 31;
  return double(z >> 11) / double(uint64_t(1) << 52) - 1.0;
}

std::vector<float> StarField(uint32_t width, uint32_t height, uint32_t channels, uint64_t seed) {
  SampleNoise noise(seed);
  const size_t pixels = size_t(width) * height;
  std::vector<float> out(pixels * channels);
  for (uint32_t c = 0; c < channels; ++c)
    for (uint32_t y = 0; y < height; ++y)
      for (uint32_t x = 0; x < width; ++x)
        out[c * pixels + size_t(y) * width + x] =
            float(0.08 + 0.02 * x / width + 0.01 * y / height + 0.002 * c + 0.0003 * noise.Next());
  for (int star = 0; star < 40; ++star) {
    double cx = (noise.Next() + 1) / 2 * width, cy = (noise.Next() + 1) / 2 * height;
    double peak = 0.2 + 0.35 * (noise.Next() + 1), sigma = 1.2 + 0.6 * (noise.Next() + 1);
    int r = int(std::ceil(4 * sigma));
    for (int y = std::max(0, int(cy) - r); y <= std::min(int(height) - 1, int(cy) + r); ++y)
      for (int x = std::max(0, int(cx) - r); x <= std::min(int(width) - 1, int(cx) + r); ++x) {
        double d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
        double v = peak * std::exp(-d2 / (2 * sigma * sigma));
        for (uint32_t c = 0; c < channels; ++c) {
          float& s = out[c * pixels + size_t(y) * width + x];
          s = float(std::min(1.0, s + v * (1.0 - 0.1 * c)));
        }
      }
  }
  return out;
}

std::vector<float> OffsetSurface(uint32_t width, uint32_t height, uint32_t channels, uint64_t seed) {
  SampleNoise noise(seed);
  const size_t pixels = size_t(width) * height;
  std::vector<float> out(pixels * channels);
  for (uint32_t c = 0; c < channels; ++c) {
    double a = 0.01 * noise.Next(), bx = 0.02 * noise.Next(), by = 0.02 * noise.Next();
    double bxx = 0.01 * noise.Next(), bxy = 0.01 * noise.Next(), byy = 0.01 * noise.Next();
    for (uint32_t y = 0; y < height; ++y)
      for (uint32_t x = 0; x < width; ++x) {
        double u = double(x) / (width - 1 > 0 ? width - 1 : 1) - 0.5;
        double v = double(y) / (height - 1 > 0 ? height - 1 : 1) - 0.5;
        double s = a + bx * u + by * v + bxx * u * u + bxy * u * v + byy * v * v + 1e-4 * noise.Next();
        out[c * pixels + size_t(y) * width + x] = float(s);
      }
  }
  return out;
}

}  // namespace hostapp
