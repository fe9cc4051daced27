// The state of one Compression::Compress() call: the resolved settings, the
// block layout, the bytes being compressed and the errors the workers
// report. Internal to the compression layer.
#ifndef TRVX_COMPRESSION_COMPRESSIONENGINE_H
#define TRVX_COMPRESSION_COMPRESSIONENGINE_H

#include <cstddef>
#include <mutex>
#include <vector>

#include "compression/Compression.h"
#include "core/String.h"
#include "host/Thread.h"

namespace px {

// Lives on the caller's stack for one Compress() call; no thread outlives it.
// Thread safety: workers read the shared input and write only their own
// results; the error list is guarded by the engine's mutex.
class CompressionEngine {
 public:
  // One block's outcome. Blocks stored uncompressed keep only their position
  // in the input until the result is known to pay off, so an incompressible
  // channel is never copied.
  struct Piece {
    ByteArray compressed;  // empty: stored uncompressed
    size_t offset = 0;
    size_t size = 0;
  };

  // A worker over the block indices [first, end).
  class CompressionThread : public Thread {
   public:
    CompressionThread(CompressionEngine& engine, size_t first, size_t end)
        : engine_(engine), first_(first), end_(end) {}
    // Compresses the range; on failure stops and reports to the engine.
    // Never throws.
    void Run() override;
    const std::vector<Piece>& Pieces() const { return pieces_; }
    std::vector<Piece>& Pieces() { return pieces_; }

   private:
    CompressionEngine& engine_;
    size_t first_, end_;
    std::vector<Piece> pieces_;
  };

  // REQUIRES: data != null, size > 0, codec outlives the engine.
  CompressionEngine(const Compression& codec, const void* data, size_t size);

  // Compresses every block and returns the subblocks in block order (empty
  // when the result does not pay off). Throws Error through codec.Throw().
  Compression::SubblockList Run(Compression::Performance* performance);

  // Adds one worker message (thread-safe).
  void ReportError(const String& message);

 private:
  void CompressRange(size_t first, size_t end, std::vector<Piece>& pieces) const;

  const Compression& codec_;
  int level_;
  size_t blockSize_;
  size_t numberOfBlocks_;     // full blocks
  size_t lastBlockSize_;      // the block after the full ones; may be 0
  const uint8_t* data_;       // the codec's shuffle buffer or the caller's bytes
  size_t size_;
  std::vector<String> errors_;
  std::mutex mutex_;
};

}  // namespace px

#endif
