#include "hostapp/xisf/XisfCodec.h"

#include <lz4.h>
#include <lz4hc.h>
#include <zlib.h>
#include <zstd.h>
#include <zstd_errors.h>

#include <algorithm>
#include <climits>
#include <cstring>

#include "hostapp/xisf/XisfNumbers.h"
#include "hostapp/xisf/XisfShuffle.h"
#include "hostapp/xisf/XisfTypes.h"

namespace hostapp::xisf {
namespace {

const char* NameOf(Codec codec) {
  switch (codec) {
    case Codec::Zlib: return "zlib";
    case Codec::Lz4: return "lz4";
    case Codec::Lz4HC: return "lz4hc";
    case Codec::Zstd: return "zstd";
    case Codec::None: break;
  }
  return "";
}

// The most output a compressed stream can stand for: deflate stays under
// 1032:1 and an LZ4 sequence under 255:1 (plus a little slack for short
// streams); a 4-byte zstd RLE block gives up to 128 KiB, even right after
// the frame header.
uint64_t MaxExpansion(Codec codec, uint64_t compressed) {
  uint64_t ratio = codec == Codec::Zlib ? 1032 : codec == Codec::Zstd ? 32768 : 255;
  uint64_t slack = codec == Codec::Zstd ? 131072 : 1024;
  if (compressed > (UINT64_MAX - slack) / ratio) return UINT64_MAX;
  return compressed * ratio + slack;
}

std::string Bytes(uint64_t n) { return std::to_string(n) + " bytes"; }

[[noreturn]] void SizeMismatch(Codec codec, uint64_t actual, uint64_t declared, bool longer) {
  throw XisfError(std::string(NameOf(codec)) + " data decodes to " +
                  (longer ? "more than " + Bytes(declared) : Bytes(actual)) + ", declared " +
                  Bytes(declared));
}

void InflateOne(const uint8_t* src, size_t srcSize, uint8_t* dst, size_t dstSize) {
  z_stream zs{};
  if (inflateInit(&zs) != Z_OK) throw XisfError("zlib cannot start decompressing");
  struct End {
    z_stream* zs;
    ~End() { inflateEnd(zs); }
  } end{&zs};
  constexpr size_t kChunk = size_t(1) << 30;  // avail_in/avail_out are 32-bit
  size_t in = 0, out = 0;
  int rc = Z_OK;
  while (out < dstSize) {
    zs.next_in = const_cast<Bytef*>(src + in);
    zs.avail_in = uInt(std::min(srcSize - in, kChunk));
    zs.next_out = dst + out;
    zs.avail_out = uInt(std::min(dstSize - out, kChunk));
    uInt availIn = zs.avail_in, availOut = zs.avail_out;
    rc = inflate(&zs, Z_NO_FLUSH);
    in += availIn - zs.avail_in;
    out += availOut - zs.avail_out;
    if (rc == Z_STREAM_END) break;
    if (rc == Z_BUF_ERROR && in == srcSize) throw XisfError("zlib data is truncated");
    if (rc == Z_BUF_ERROR && availIn == zs.avail_in && availOut == zs.avail_out)
      throw XisfError("zlib data is corrupt");
    if (rc != Z_OK && rc != Z_BUF_ERROR)
      throw XisfError(std::string("zlib data is corrupt") + (zs.msg ? std::string(" (") + zs.msg + ")" : ""));
  }
  if (rc == Z_STREAM_END) {
    if (out < dstSize) SizeMismatch(Codec::Zlib, out, dstSize, false);
    return;
  }
  // The output is full: the stream must end here without another byte.
  uint8_t extra = 0;
  zs.next_in = const_cast<Bytef*>(src + in);
  zs.avail_in = uInt(std::min(srcSize - in, kChunk));
  zs.next_out = &extra;
  zs.avail_out = 1;
  rc = inflate(&zs, Z_NO_FLUSH);
  if (zs.avail_out == 0) SizeMismatch(Codec::Zlib, out + 1, dstSize, true);
  if (rc != Z_STREAM_END) throw XisfError("zlib data is truncated or corrupt");
}

void Lz4One(const uint8_t* src, size_t srcSize, uint8_t* dst, size_t dstSize) {
  if (srcSize > size_t(INT_MAX) || dstSize > size_t(INT_MAX))
    throw XisfError("lz4 stream larger than 2 GiB (must be split into subblocks)");
  int n = LZ4_decompress_safe(reinterpret_cast<const char*>(src), reinterpret_cast<char*>(dst),
                              int(srcSize), int(dstSize));
  if (n < 0) throw XisfError("lz4 data is corrupt or decodes to more than " + Bytes(dstSize));
  if (size_t(n) != dstSize) SizeMismatch(Codec::Lz4, uint64_t(n), dstSize, false);
}

void ZstdOne(const uint8_t* src, size_t srcSize, uint8_t* dst, size_t dstSize) {
  size_t n = ZSTD_decompress(dst, dstSize, src, srcSize);
  if (ZSTD_isError(n)) {
    if (ZSTD_getErrorCode(n) == ZSTD_error_dstSize_tooSmall) SizeMismatch(Codec::Zstd, 0, dstSize, true);
    throw XisfError(std::string("zstd data is corrupt (") + ZSTD_getErrorName(n) + ")");
  }
  if (n != dstSize) SizeMismatch(Codec::Zstd, n, dstSize, false);
}

std::vector<uint8_t> CompressOne(Codec codec, const uint8_t* src, size_t size) {
  std::vector<uint8_t> out;
  switch (codec) {
    case Codec::Zlib: {
      uLongf n = compressBound(uLong(size));
      out.resize(n);
      if (compress2(out.data(), &n, src, uLong(size), Z_DEFAULT_COMPRESSION) != Z_OK)
        throw XisfError("zlib compression failed");
      out.resize(n);
      return out;
    }
    case Codec::Lz4:
    case Codec::Lz4HC: {
      if (size > size_t(LZ4_MAX_INPUT_SIZE)) throw XisfError("lz4 input too large");
      out.resize(size_t(LZ4_compressBound(int(size))));
      const char* in = reinterpret_cast<const char*>(src);
      char* o = reinterpret_cast<char*>(out.data());
      int n = codec == Codec::Lz4 ? LZ4_compress_default(in, o, int(size), int(out.size()))
                                  : LZ4_compress_HC(in, o, int(size), int(out.size()), LZ4HC_CLEVEL_DEFAULT);
      if (n <= 0) throw XisfError("lz4 compression failed");
      out.resize(size_t(n));
      return out;
    }
    case Codec::Zstd: {
      out.resize(ZSTD_compressBound(size));
      size_t n = ZSTD_compress(out.data(), out.size(), src, size, 3);
      if (ZSTD_isError(n)) throw XisfError(std::string("zstd compression failed: ") + ZSTD_getErrorName(n));
      out.resize(n);
      return out;
    }
    case Codec::None: break;
  }
  throw XisfError("no codec to compress with");
}

}  // namespace

Codec CodecByName(const std::string& name) {
  for (Codec c : {Codec::Zlib, Codec::Lz4, Codec::Lz4HC, Codec::Zstd})
    if (name == NameOf(c)) return c;
  throw XisfError("unknown compression codec '" + name + "'");
}

Compression ParseCompression(const std::string& compression, const std::string& subblocks,
                             uint64_t defaultItemSize) {
  std::vector<std::string> parts = SplitText(compression, ':');
  if (parts.size() < 2 || parts.size() > 3)
    throw XisfError("invalid compression '" + compression + "' (expected codec:size[:itemSize])");
  Compression c;
  std::string codec = parts[0];
  if (codec.size() > 3 && codec.compare(codec.size() - 3, 3, "+sh") == 0) {
    c.shuffled = true;
    codec.resize(codec.size() - 3);
  }
  c.codec = CodecByName(codec);
  if (!ParseUInt64(parts[1], c.uncompressedSize))
    throw XisfError("invalid uncompressed size in compression '" + compression + "'");
  c.itemSize = defaultItemSize;
  if (parts.size() == 3 && (!ParseUInt64(parts[2], c.itemSize) || c.itemSize == 0))
    throw XisfError("invalid item size in compression '" + compression + "'");
  if (!subblocks.empty()) {
    for (const std::string& entry : SplitText(subblocks, ':')) {
      std::vector<std::string> sizes = SplitText(entry, ',');
      Subblock s;
      if (sizes.size() != 2 || !ParseUInt64(sizes[0], s.compressedSize) ||
          !ParseUInt64(sizes[1], s.uncompressedSize))
        throw XisfError("invalid subblocks '" + subblocks + "'");
      c.subblocks.push_back(s);
    }
  }
  return c;
}

std::string CompressionAttribute(const Compression& c) {
  std::string s = std::string(NameOf(c.codec)) + (c.shuffled ? "+sh" : "") + ":" +
                  std::to_string(c.uncompressedSize);
  if (c.shuffled) s += ":" + std::to_string(c.itemSize);
  return s;
}

std::string SubblocksAttribute(const Compression& c) {
  std::string s;
  for (const Subblock& b : c.subblocks) {
    if (!s.empty()) s += ":";
    s += std::to_string(b.compressedSize) + "," + std::to_string(b.uncompressedSize);
  }
  return s;
}

void CheckCompressedBlock(const Compression& c, uint64_t blockSize) {
  std::vector<Subblock> streams = c.subblocks;
  if (streams.empty()) streams.push_back({blockSize, c.uncompressedSize});
  uint64_t compressed = 0, uncompressed = 0;
  for (const Subblock& s : streams) {
    if (s.compressedSize == 0 || s.uncompressedSize == 0)
      throw XisfError("compressed subblock of zero size");
    if (s.uncompressedSize > MaxExpansion(c.codec, s.compressedSize))
      throw XisfError("compressed stream of " + Bytes(s.compressedSize) + " cannot hold the declared " +
                      Bytes(s.uncompressedSize));
    if (!AddChecked(compressed, s.compressedSize) || !AddChecked(uncompressed, s.uncompressedSize))
      throw XisfError("subblock sizes overflow");
  }
  if (compressed != blockSize)
    throw XisfError("compressed subblocks add up to " + Bytes(compressed) + ", the block holds " + Bytes(blockSize));
  if (uncompressed != c.uncompressedSize)
    throw XisfError("uncompressed subblocks add up to " + Bytes(uncompressed) + ", declared " +
                    Bytes(c.uncompressedSize));
}

std::vector<uint8_t> Decompress(const Compression& c, const uint8_t* block, size_t blockSize) {
  CheckCompressedBlock(c, blockSize);
  std::vector<Subblock> streams = c.subblocks;
  if (streams.empty()) streams.push_back({blockSize, c.uncompressedSize});
  std::vector<uint8_t> out(c.uncompressedSize);
  size_t in = 0, at = 0;
  for (const Subblock& s : streams) {
    const uint8_t* src = block + in;
    uint8_t* dst = out.data() + at;
    if (c.codec == Codec::Zlib) InflateOne(src, s.compressedSize, dst, s.uncompressedSize);
    else if (c.codec == Codec::Zstd) ZstdOne(src, s.compressedSize, dst, s.uncompressedSize);
    else Lz4One(src, s.compressedSize, dst, s.uncompressedSize);
    in += s.compressedSize;
    at += s.uncompressedSize;
  }
  if (c.shuffled) Unshuffle(out.data(), out.size(), c.itemSize);
  return out;
}

std::vector<uint8_t> Compress(Compression& c, std::vector<uint8_t> data, size_t subblockSize) {
  if (c.shuffled) Shuffle(data.data(), data.size(), c.itemSize);
  c.uncompressedSize = data.size();
  c.subblocks.clear();
  std::vector<uint8_t> out;
  size_t step = subblockSize == 0 ? std::max<size_t>(data.size(), 1) : subblockSize;
  for (size_t at = 0; at < data.size(); at += step) {
    size_t n = std::min(step, data.size() - at);
    std::vector<uint8_t> part = CompressOne(c.codec, data.data() + at, n);
    out.insert(out.end(), part.begin(), part.end());
    if (subblockSize != 0) c.subblocks.push_back({part.size(), n});
  }
  return out;
}

}  // namespace hostapp::xisf
