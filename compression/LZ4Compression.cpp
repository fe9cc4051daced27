#include "compression/LZ4Compression.h"

#include <lz4.h>

#include <algorithm>

#include "core/Exception.h"

namespace px {

size_t LZ4Compression::MaxCompressedBlockSize(size_t size) const {
  if (size > MaxInputSize) return 0;
  return size_t(LZ4_compressBound(int(size)));
}

size_t LZ4Compression::CompressBlock(void* output, size_t outputCapacity, const void* input, size_t inputSize,
                                     int level) const {
  auto fail = [](const char* what) { throw Error(String("LZ4Compression::CompressBlock(): ") + what); };
  if (input == nullptr) fail("Null input buffer.");
  if (output == nullptr) fail("Null output buffer.");
  if (inputSize > MaxInputSize) fail("Invalid input size.");
  if (outputCapacity >= (size_t(1) << 31)) fail("Invalid maximum output size.");
  level = std::clamp(level, 1, 64);
  int n = LZ4_compress_fast(static_cast<const char*>(input), static_cast<char*>(output), int(inputSize),
                            int(outputCapacity), 65 - level);
  return n > 0 ? size_t(n) : 0;
}

size_t LZ4Compression::UncompressBlock(void* output, size_t outputCapacity, const void* input,
                                       size_t inputSize) const {
  if (input == nullptr || output == nullptr || inputSize > MaxInputSize || outputCapacity >= (size_t(1) << 31))
    return 0;
  int n = LZ4_decompress_safe(static_cast<const char*>(input), static_cast<char*>(output), int(inputSize),
                              int(outputCapacity));
  return n > 0 ? size_t(n) : 0;
}

}  // namespace px
