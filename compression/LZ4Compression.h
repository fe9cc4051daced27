// The LZ4 block codec ("LZ4"): LZ4's fast block compressor, with levels
// 1..64 mapped to acceleration 65 - level (64, the default, is the
// strongest fast mode).
#ifndef TRVX_COMPRESSION_LZ4COMPRESSION_H
#define TRVX_COMPRESSION_LZ4COMPRESSION_H

#include "compression/Compression.h"

namespace px {

// Stateless apart from the inherited settings; CompressBlock() and
// UncompressBlock() may run on several threads at once.
class LZ4Compression : public Compression {
 public:
  static constexpr size_t MaxInputSize = 0x7E000000;  // LZ4_MAX_INPUT_SIZE

  String AlgorithmName() const override { return String("LZ4"); }
  int MaxCompressionLevel() const override { return 64; }
  int DefaultCompressionLevel() const override { return 64; }
  size_t MinBlockSize() const override { return 64; }
  size_t MaxBlockSize() const override { return MaxInputSize; }
  size_t MaxCompressedBlockSize(size_t size) const override;
  // Throws Error "LZ4Compression::CompressBlock(): " + "Null input buffer.",
  // "Null output buffer.", "Invalid input size." (inputSize > MaxInputSize)
  // or "Invalid maximum output size." (capacity >= 2^31), checked in that
  // order. Returns 0 when LZ4 fails (e.g. the output does not fit).
  size_t CompressBlock(void* output, size_t outputCapacity, const void* input, size_t inputSize,
                       int level) const override;
  // LZ4_decompress_safe; 0 on failure or invalid arguments.
  size_t UncompressBlock(void* output, size_t outputCapacity, const void* input,
                         size_t inputSize) const override;
};

}  // namespace px

#endif
