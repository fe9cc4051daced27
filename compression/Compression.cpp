#include "compression/Compression.h"

#include "compression/CompressionEngine.h"
#include "core/Exception.h"

namespace px {

Compression::~Compression() = default;

Compression::SubblockList Compression::Compress(const void* data, size_t size, Performance* performance) const {
  if (data == nullptr || size == 0) return {};
  CompressionEngine engine(*this, data, size);
  return engine.Run(performance);
}

void Compression::Throw(const String& message) const {
  throw Error(AlgorithmName() + " compression: " + message);
}

namespace {

// Specialised for 32-bit items, the case of every float matrix: four output
// streams written sequentially.
void Shuffle4(uint8_t* out, const uint8_t* in, size_t items) {
  uint8_t* o0 = out;
  uint8_t* o1 = out + items;
  uint8_t* o2 = out + 2 * items;
  uint8_t* o3 = out + 3 * items;
  for (size_t k = 0; k < items; ++k, in += 4) {
    o0[k] = in[0];
    o1[k] = in[1];
    o2[k] = in[2];
    o3[k] = in[3];
  }
}

void Unshuffle4(uint8_t* out, const uint8_t* in, size_t items) {
  const uint8_t* i0 = in;
  const uint8_t* i1 = in + items;
  const uint8_t* i2 = in + 2 * items;
  const uint8_t* i3 = in + 3 * items;
  for (size_t k = 0; k < items; ++k, out += 4) {
    out[0] = i0[k];
    out[1] = i1[k];
    out[2] = i2[k];
    out[3] = i3[k];
  }
}

}  // namespace

ByteArray Compression::Shuffle(const void* data, size_t size, size_t itemSize) {
  ByteArray out(size);
  Shuffle(out.Data(), data, size, itemSize);
  return out;
}

void Compression::Shuffle(void* output, const void* data, size_t size, size_t itemSize) {
  if (size == 0) return;
  const uint8_t* in = static_cast<const uint8_t*>(data);
  uint8_t* out = static_cast<uint8_t*>(output);
  if (itemSize <= 1 || itemSize > size) {
    std::memcpy(out, in, size);
    return;
  }
  size_t items = size / itemSize;
  if (itemSize == 4) {
    Shuffle4(out, in, items);
  } else {
    for (size_t j = 0; j < itemSize; ++j) {
      uint8_t* o = out + j * items;
      const uint8_t* p = in + j;
      for (size_t k = 0; k < items; ++k, p += itemSize) o[k] = *p;
    }
  }
  size_t done = items * itemSize;
  std::memcpy(out + done, in + done, size - done);
}

ByteArray Compression::Unshuffle(const void* data, size_t size, size_t itemSize) {
  const uint8_t* in = static_cast<const uint8_t*>(data);
  if (itemSize <= 1 || itemSize > size) return ByteArray(in, size);
  ByteArray out(size);
  size_t items = size / itemSize;
  if (itemSize == 4) {
    Unshuffle4(out.Data(), in, items);
  } else {
    for (size_t j = 0; j < itemSize; ++j) {
      const uint8_t* p = in + j * items;
      uint8_t* o = out.Data() + j;
      for (size_t k = 0; k < items; ++k, o += itemSize) *o = p[k];
    }
  }
  size_t done = items * itemSize;
  std::memcpy(out.Data() + done, in + done, size - done);
  return out;
}

}  // namespace px
