// Planar image of numeric samples: width, height, colour space (grayscale or
// RGB; channels beyond the nominal ones are alpha channels) and one plane per
// channel of width*height samples in row-major order (sample (x, y) of
// channel k at PixelData(k)[y*width + x]). Pixel storage is shared between
// copies and duplicated before the first write while shared.
#ifndef TRVX_CORE_GENERICIMAGE_H
#define TRVX_CORE_GENERICIMAGE_H

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <new>

#include "core/HugePages.h"
#include "core/SharedData.h"

namespace px {

enum class ColorSpace { Gray = 1, RGB = 2 };

inline int NominalChannels(ColorSpace cs) { return cs == ColorSpace::RGB ? 3 : 1; }

// A rectangle of pixels: columns [x0, x1), rows [y0, y1).
struct Rect {
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

template <class T>
class GenericImage {
 public:
  GenericImage() = default;

  // Allocates the nominal channels of the colour space; samples are not
  // initialised. REQUIRES: width, height >= 0.
  GenericImage(int width, int height, ColorSpace cs = ColorSpace::Gray) {
    AllocateData(width, height, NominalChannels(cs), cs);
  }

  // Replaces the pixels with `channels` uninitialised planes (at least the
  // nominal channels of `cs`). Throws std::bad_alloc when the size cannot be
  // represented or allocated.
  void AllocateData(int width, int height, int channels, ColorSpace cs) {
    if (width < 0 || height < 0 || channels < 0) throw std::bad_alloc();
    channels = std::max(channels, NominalChannels(cs));
    size_t plane = size_t(width) * size_t(height);
    if (width > 0 && plane / size_t(width) != size_t(height)) throw std::bad_alloc();
    if (plane != 0 && size_t(channels) > (size_t(-1) / sizeof(T)) / plane) throw std::bad_alloc();
    width_ = width;
    height_ = height;
    channels_ = plane == 0 ? 0 : channels;
    colorSpace_ = cs;
    if (plane == 0) {
      width_ = height_ = 0;
      data_.Reset();
    } else {
      data_ = SharedData<Storage>(Storage(plane * size_t(channels)));
    }
  }

  void FreeData() { *this = GenericImage(); }

  int Width() const { return width_; }
  int Height() const { return height_; }
  int NumberOfChannels() const { return channels_; }
  int NumberOfNominalChannels() const { return IsEmpty() ? 0 : NominalChannels(colorSpace_); }
  int NumberOfAlphaChannels() const { return channels_ - NumberOfNominalChannels(); }
  ColorSpace GetColorSpace() const { return colorSpace_; }
  bool IsColor() const { return colorSpace_ == ColorSpace::RGB; }
  bool IsEmpty() const { return channels_ == 0; }
  size_t NumberOfPixels() const { return size_t(width_) * size_t(height_); }
  size_t NumberOfSamples() const { return NumberOfPixels() * size_t(channels_); }

  // Samples of one channel (read only); null when the image is empty.
  const T* PixelData(int channel = 0) const {
    return IsEmpty() ? nullptr : data_.Get().samples.get() + size_t(channel) * NumberOfPixels();
  }
  // Samples of one channel for writing; storage is made unshared first.
  T* PixelData(int channel = 0) {
    return IsEmpty() ? nullptr : data_.Mutable().samples.get() + size_t(channel) * NumberOfPixels();
  }

  // Sets every sample of every channel.
  void Fill(T value) { Fill(value, Rect{0, 0, width_, height_}, 0, channels_ - 1); }

  // Sets the samples of a rectangle (clipped to the image) in channels
  // [firstChannel, lastChannel]; lastChannel < 0 means the last channel.
  void Fill(T value, Rect r, int firstChannel, int lastChannel = -1) {
    if (IsEmpty()) return;
    if (lastChannel < 0 || lastChannel >= channels_) lastChannel = channels_ - 1;
    firstChannel = std::max(firstChannel, 0);
    r.x0 = std::max(r.x0, 0), r.y0 = std::max(r.y0, 0);
    r.x1 = std::min(r.x1, width_), r.y1 = std::min(r.y1, height_);
    if (r.x0 >= r.x1 || r.y0 >= r.y1) return;
    for (int c = firstChannel; c <= lastChannel; ++c) {
      T* p = PixelData(c);
      for (int y = r.y0; y < r.y1; ++y) std::fill(p + size_t(y) * width_ + r.x0, p + size_t(y) * width_ + r.x1, value);
    }
  }

  bool SharesWith(const GenericImage& other) const { return data_.SharesWith(other.data_); }

 private:
  struct Storage {
    std::unique_ptr<T[]> samples;
    size_t size = 0;
    Storage() = default;
    explicit Storage(size_t n) : samples(new T[n]), size(n) { AdviseHugePages(samples.get(), n * sizeof(T)); }
    Storage(const Storage& o) : samples(o.size ? new T[o.size] : nullptr), size(o.size) {
      AdviseHugePages(samples.get(), size * sizeof(T));
      if (size) std::memcpy(samples.get(), o.samples.get(), size * sizeof(T));
    }
    Storage(Storage&&) noexcept = default;
  };

  int width_ = 0;
  int height_ = 0;
  int channels_ = 0;
  ColorSpace colorSpace_ = ColorSpace::Gray;
  SharedData<Storage> data_;
};

// The float image of the system.
using Image = GenericImage<float>;

}  // namespace px

#endif
