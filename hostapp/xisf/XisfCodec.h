// Compressed XISF data blocks: the "compression" and "subblocks" attributes,
// the zlib, lz4, lz4hc and zstd codecs and byte shuffling.
#ifndef TRVX_HOSTAPP_XISF_XISFCODEC_H
#define TRVX_HOSTAPP_XISF_XISFCODEC_H

#include <cstdint>
#include <string>
#include <vector>

namespace hostapp::xisf {

enum class Codec { None, Zlib, Lz4, Lz4HC, Zstd };

struct Subblock {
  uint64_t compressedSize = 0, uncompressedSize = 0;
};

struct Compression {
  Codec codec = Codec::None;
  bool shuffled = false;
  uint64_t uncompressedSize = 0;
  uint64_t itemSize = 1;            // shuffle unit, bytes
  std::vector<Subblock> subblocks;  // empty: the block is one compressed stream
};

// Parses "codec:size[:itemSize]" and the optional "c,u:c,u..." subblock list.
// `defaultItemSize` applies to a shuffled codec without an item size.
// Throws XisfError naming the bad part.
Compression ParseCompression(const std::string& compression, const std::string& subblocks,
                             uint64_t defaultItemSize);
// The attribute values for `c` ("" subblocks when there are none).
std::string CompressionAttribute(const Compression& c);
std::string SubblocksAttribute(const Compression& c);
// "zlib", "lz4", "lz4hc", "zstd"; throws XisfError for anything else.
Codec CodecByName(const std::string& name);

// Checks, before anything is allocated, that a compressed block of
// `blockSize` bytes can hold what `c` declares: subblock sums agree and no
// stream claims more output than its codec could produce. Throws XisfError.
void CheckCompressedBlock(const Compression& c, uint64_t blockSize);
// Decompresses and unshuffles. REQUIRES: CheckCompressedBlock passed. Throws
// XisfError when a stream is corrupt or decodes to a size other than declared.
std::vector<uint8_t> Decompress(const Compression& c, const uint8_t* block, size_t blockSize);
// Shuffles (when c.shuffled) and compresses `data`, splitting it into
// subblocks of at most `subblockSize` uncompressed bytes when that is not 0.
// Fills c.uncompressedSize and c.subblocks.
std::vector<uint8_t> Compress(Compression& c, std::vector<uint8_t> data, size_t subblockSize);

}  // namespace hostapp::xisf

#endif
