// Abstract block codec with the settings of one compression job: splits data
// into subblocks, optionally shuffles bytes by item first, compresses the
// blocks (in parallel through host threads when several), and keeps the
// result only when it saves space.
#ifndef TRVX_COMPRESSION_COMPRESSION_H
#define TRVX_COMPRESSION_COMPRESSION_H

#include <cstddef>
#include <cstdint>
#include <vector>

#include "compression/ByteArray.h"
#include "core/String.h"

namespace px {

// Thread safety: a codec object is configured and used by one thread (it
// keeps its shuffle buffer between Compress() calls); Compress() may run
// CompressBlock() on several host threads at once, so implementations of
// CompressBlock() must not modify the codec.
class Compression {
 public:
  // One compressed unit. `data` is one codec block when it is shorter than
  // `uncompressedSize`, and the (shuffled) bytes themselves when it is
  // exactly as long.
  struct Subblock {
    ByteArray data;
    uint64_t uncompressedSize = 0;
  };
  using SubblockList = std::vector<Subblock>;

  // What one Compress() call achieved; filled only when the list is kept.
  struct Performance {
    double sizeReduction = 0;   // 1 - compressed / uncompressed
    double throughput = 0;      // MiB of input per second
    int numberOfThreads = 0;
  };

  Compression() = default;
  virtual ~Compression();

  virtual String AlgorithmName() const = 0;
  virtual int MinCompressionLevel() const { return 0; }
  virtual int MaxCompressionLevel() const = 0;
  virtual int DefaultCompressionLevel() const = 0;
  virtual size_t MinBlockSize() const = 0;
  virtual size_t MaxBlockSize() const = 0;
  // Bound on the compressed size of `size` bytes; 0 when `size` exceeds
  // MaxBlockSize().
  virtual size_t MaxCompressedBlockSize(size_t size) const = 0;
  // Compresses one block into `output`. Returns the compressed size, 0 when
  // the codec could not compress. Throws Error on invalid arguments.
  virtual size_t CompressBlock(void* output, size_t outputCapacity, const void* input,
                               size_t inputSize, int level) const = 0;
  // Restores one block; returns the restored size, 0 on failure.
  virtual size_t UncompressBlock(void* output, size_t outputCapacity, const void* input,
                                 size_t inputSize) const = 0;

  // Compresses `size` bytes at `data` with the current settings. Returns the
  // subblocks in order, or an empty list when `data` is null, `size` is 0 or
  // the result would not be smaller than the input (accounted as stored
  // bytes + 24 per subblock + 8): the caller then stores the data as it is.
  // Throws Error ("<AlgorithmName> compression: " and the workers' messages,
  // one per line) when a block fails. Uses host threads only when the data
  // splits into several blocks and parallel processing is enabled.
  SubblockList Compress(const void* data, size_t size, Performance* performance = nullptr) const;

  // Byte j of item k goes to position j*(size/itemSize) + k; the last
  // size % itemSize bytes follow unchanged. Input shorter than one item, or
  // an item size of 0 or 1, is copied unchanged.
  static ByteArray Shuffle(const void* data, size_t size, size_t itemSize);
  // The same into `size` bytes at `output`. REQUIRES: buffers do not overlap.
  static void Shuffle(void* output, const void* data, size_t size, size_t itemSize);
  // The inverse of Shuffle() for the same size and item size.
  static ByteArray Unshuffle(const void* data, size_t size, size_t itemSize);

  // Throws Error: AlgorithmName(), " compression: ", message.
  [[noreturn]] void Throw(const String& message) const;

  // Frees the shuffle buffer kept for the next Compress() call of the same
  // size (fresh memory is costly to touch, so consecutive channels reuse it).
  void ReleaseWorkspace() const { workspace_.buffer.Clear(); }

  // Settings. Out-of-range values are accepted here and resolved by Compress():
  // a level below 1 means DefaultCompressionLevel(), above the maximum the
  // maximum; a subblock size outside [MinBlockSize(), MaxBlockSize()] means
  // MaxBlockSize().
  int MaxProcessors() const { return maxProcessors_; }
  void SetMaxProcessors(int n) { maxProcessors_ = n; }
  bool IsParallelProcessingEnabled() const { return parallel_; }
  void EnableParallelProcessing(bool enable = true) { parallel_ = enable; }
  int CompressionLevel() const { return level_; }
  void SetCompressionLevel(int level) { level_ = level; }
  size_t SubblockSize() const { return subblockSize_; }
  void SetSubblockSize(size_t size) { subblockSize_ = size; }
  size_t ItemSize() const { return itemSize_; }
  void SetItemSize(size_t size) { itemSize_ = size; }
  bool IsByteShufflingEnabled() const { return shuffle_; }
  void EnableByteShuffling(bool enable = true) { shuffle_ = enable; }

 private:
  int maxProcessors_ = 0x7FFFFFFF;
  bool parallel_ = true;
  int level_ = 0;
  size_t subblockSize_ = 0;
  size_t itemSize_ = 1;
  bool shuffle_ = true;

  // Scratch memory, not part of a codec's value: copies start without it.
  struct Workspace {
    ByteArray buffer;
    Workspace() = default;
    Workspace(const Workspace&) {}
    Workspace& operator=(const Workspace&) { return *this; }
  };
  friend class CompressionEngine;
  mutable Workspace workspace_;
};

}  // namespace px

#endif
