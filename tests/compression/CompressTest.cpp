#include <gtest/gtest.h>
#include <lz4.h>

#include <cstring>
#include <new>
#include <random>
#include <vector>

#include "compression/LZ4Compression.h"
#include "core/Exception.h"

namespace px {
namespace {

// Restores the bytes a subblock list stands for, as an XNML reader does.
std::vector<uint8_t> Restore(const Compression::SubblockList& list, size_t itemSize) {
  std::vector<uint8_t> joined;
  for (const auto& sb : list) {
    size_t at = joined.size();
    joined.resize(at + sb.uncompressedSize);
    if (sb.data.Size() < sb.uncompressedSize) {
      int n = LZ4_decompress_safe(reinterpret_cast<const char*>(sb.data.Data()),
                                  reinterpret_cast<char*>(joined.data() + at), int(sb.data.Size()),
                                  int(sb.uncompressedSize));
      EXPECT_EQ(n, int(sb.uncompressedSize));
    } else {
      EXPECT_EQ(sb.data.Size(), sb.uncompressedSize);
      std::memcpy(joined.data() + at, sb.data.Data(), sb.data.Size());
    }
  }
  ByteArray u = Compression::Unshuffle(joined.data(), joined.size(), itemSize);
  return std::vector<uint8_t>(u.begin(), u.end());
}

// Float samples of a smooth surface: compressible once shuffled.
std::vector<uint8_t> SmoothFloats(size_t bytes) {
  std::vector<uint8_t> out(bytes);
  std::mt19937 rng(3);
  for (size_t i = 0; i + 4 <= bytes; i += 4) {
    float v = 0.25f + float(i / 4 % 97) * 1e-3f + float(rng() % 4) * 1e-7f;
    std::memcpy(out.data() + i, &v, 4);
  }
  for (size_t i = bytes / 4 * 4; i < bytes; ++i) out[i] = uint8_t(i);
  return out;
}

LZ4Compression XNMLCodec() {
  LZ4Compression c;
  c.SetMaxProcessors(1023);
  c.EnableParallelProcessing(true);
  c.SetCompressionLevel(0);
  c.SetSubblockSize(0);
  c.SetItemSize(4);
  c.EnableByteShuffling(true);
  return c;
}

TEST(Compress, PayOffDecidesBetweenSubblocksAndAnEmptyList) {
  LZ4Compression lz4 = XNMLCodec();
  std::vector<uint8_t> zeros(1000, 0), random(1000), small(63, 0);
  std::mt19937 rng(11);
  for (auto& b : random) b = uint8_t(rng());

  // 63 bytes: below the minimum block, stored raw, 63 + 24 + 8 >= 63.
  EXPECT_TRUE(lz4.Compress(small.data(), small.size()).empty());
  // Random bytes do not compress: stored raw, 1032 >= 1000.
  EXPECT_TRUE(lz4.Compress(random.data(), random.size()).empty());

  Compression::SubblockList list = lz4.Compress(zeros.data(), zeros.size());
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].uncompressedSize, 1000u);
  EXPECT_LT(list[0].data.Size(), 30u);
  EXPECT_EQ(Restore(list, 4), zeros);

  EXPECT_TRUE(lz4.Compress(nullptr, 1000).empty());
  EXPECT_TRUE(lz4.Compress(zeros.data(), 0).empty());
}

TEST(Compress, RoundTripsEveryLength) {
  // Each length once with shuffling by 4 (float samples) and once without
  // (a repeating pattern); the list, when kept, must restore the input.
  std::vector<uint8_t> pattern(300);
  for (size_t i = 0; i < pattern.size(); ++i) pattern[i] = uint8_t("XNML channel "[i % 13]);
  for (size_t itemSize : {4u, 1u}) {
    std::vector<uint8_t> data = itemSize == 4 ? SmoothFloats(300) : pattern;
    LZ4Compression lz4 = XNMLCodec();
    lz4.SetItemSize(itemSize);
    size_t kept = 0;
    for (size_t n = 0; n <= data.size(); ++n) {
      Compression::SubblockList list = lz4.Compress(data.data(), n);
      if (list.empty()) continue;
      ++kept;
      uint64_t stored = 0;
      for (const auto& sb : list) stored += sb.data.Size() + 24;
      EXPECT_LT(stored + 8, n);
      ASSERT_EQ(Restore(list, itemSize), std::vector<uint8_t>(data.begin(), data.begin() + n)) << n;
    }
    EXPECT_GT(kept, 100u) << "item size " << itemSize;
  }
}

TEST(Compress, RoundTripsLargeChannels) {
  LZ4Compression lz4 = XNMLCodec();
  for (size_t n : {size_t(1) << 20, (size_t(3) << 20) + 7, size_t(4096) * 4096 * 4 / 16}) {
    std::vector<uint8_t> data = SmoothFloats(n);
    Compression::Performance perf;
    Compression::SubblockList list = lz4.Compress(data.data(), n, &perf);
    ASSERT_EQ(list.size(), 1u) << n;
    EXPECT_EQ(Restore(list, 4), data) << n;
    EXPECT_GT(perf.sizeReduction, 0.0);
    EXPECT_EQ(perf.numberOfThreads, 1);
  }
}

TEST(Compress, ConsecutiveCallsOnOneCodecAreIndependent) {
  // The codec keeps its shuffle buffer between calls of the same size.
  LZ4Compression lz4 = XNMLCodec();
  std::vector<uint8_t> a = SmoothFloats(100000), b = a;
  for (size_t i = 0; i < b.size(); i += 4) b[i + 3] ^= 0x40;
  Compression::SubblockList first = lz4.Compress(a.data(), a.size());
  Compression::SubblockList second = lz4.Compress(b.data(), b.size());
  Compression::SubblockList shorter = lz4.Compress(a.data(), a.size() - 4000);
  ASSERT_FALSE(first.empty() || second.empty() || shorter.empty());
  EXPECT_EQ(Restore(first, 4), a);
  EXPECT_EQ(Restore(second, 4), b);
  EXPECT_EQ(Restore(shorter, 4), std::vector<uint8_t>(a.begin(), a.end() - 4000));
  LZ4Compression copy = lz4;  // a copy starts without the buffer
  lz4.ReleaseWorkspace();
  EXPECT_EQ(Restore(lz4.Compress(b.data(), b.size()), 4), b);
  EXPECT_EQ(Restore(copy.Compress(a.data(), a.size()), 4), a);
}

TEST(Compress, SplitsIntoSubblocksOfTheConfiguredSize) {
  // Without parallel processing the blocks run in the calling thread.
  LZ4Compression lz4 = XNMLCodec();
  lz4.EnableParallelProcessing(false);
  struct Case {
    size_t subblockSize, size;
    std::vector<uint64_t> sizes;
  } cases[] = {
      {64, 4096, std::vector<uint64_t>(64, 64)},
      {1000, 2500, {1000, 1000, 500}},
      // The last block below the codec minimum is stored raw.
      {1000, 2010, {1000, 1000, 10}},
      // Out-of-range sizes select the codec maximum: one block.
      {63, 4096, {4096}},
      {size_t(0x7E000001), 4096, {4096}},
  };
  std::vector<uint8_t> zeros(4096, 0);
  for (const Case& c : cases) {
    lz4.SetSubblockSize(c.subblockSize);
    Compression::SubblockList list = lz4.Compress(zeros.data(), c.size);
    std::vector<uint64_t> sizes;
    for (const auto& sb : list) sizes.push_back(sb.uncompressedSize);
    EXPECT_EQ(sizes, c.sizes) << c.subblockSize << " " << c.size;
    if (c.sizes.back() < 64) {
      EXPECT_EQ(list.back().data.Size(), c.sizes.back());
    }
    EXPECT_EQ(Restore(list, 4), std::vector<uint8_t>(zeros.begin(), zeros.begin() + c.size));
  }
}

TEST(Compress, ShufflesBeforeSplitting) {
  // Block boundaries lie in the shuffled stream: with 2 blocks over 256
  // bytes of 4-byte items, block 0 holds bytes 0 and 1 of every item.
  LZ4Compression lz4 = XNMLCodec();
  lz4.EnableParallelProcessing(false);
  lz4.SetSubblockSize(128);
  std::vector<uint8_t> data(256);
  for (size_t i = 0; i < data.size(); ++i) data[i] = i % 4 < 2 ? 0 : uint8_t(i * 131 + 7);
  Compression::SubblockList list = lz4.Compress(data.data(), data.size());
  ASSERT_EQ(list.size(), 2u);
  EXPECT_LT(list[0].data.Size(), 128u);  // all zeros: compressed
  EXPECT_EQ(list[1].data.Size(), 128u);  // the varying bytes: raw
  EXPECT_EQ(Restore(list, 4), data);
}

// A codec whose blocks can be made to fail, to see how Compress() treats
// workers' errors and which level it passes.
class ScriptedCodec : public Compression {
 public:
  enum class Failure { None, Error, BadAlloc, Other } failure = Failure::None;
  size_t failAtBlock = 0;
  mutable std::vector<int> levels;
  mutable std::vector<size_t> sizes;

  String AlgorithmName() const override { return String("Scripted"); }
  int MaxCompressionLevel() const override { return 9; }
  int DefaultCompressionLevel() const override { return 5; }
  size_t MinBlockSize() const override { return 16; }
  size_t MaxBlockSize() const override { return 1 << 20; }
  size_t MaxCompressedBlockSize(size_t n) const override { return n + 16; }
  size_t CompressBlock(void* out, size_t, const void*, size_t n, int level) const override {
    if (failure != Failure::None && sizes.size() == failAtBlock) {
      if (failure == Failure::Error) throw Error("block refused");
      if (failure == Failure::BadAlloc) throw std::bad_alloc();
      throw 42;
    }
    levels.push_back(level);
    sizes.push_back(n);
    std::memset(out, 0xC5, 1);
    return 1;  // every block "compresses" to one byte
  }
  size_t UncompressBlock(void*, size_t, const void*, size_t) const override { return 0; }
};

TEST(Compress, ResolvesTheLevelAgainstTheCodecLimits) {
  struct Case {
    int configured, used;
  } cases[] = {{0, 5}, {-1, 5}, {1, 1}, {9, 9}, {10, 9}};
  std::vector<uint8_t> data(100, 1);
  for (const Case& c : cases) {
    ScriptedCodec codec;
    codec.SetCompressionLevel(c.configured);
    ASSERT_EQ(codec.Compress(data.data(), data.size()).size(), 1u);
    EXPECT_EQ(codec.levels, std::vector<int>{c.used}) << c.configured;
  }
}

TEST(Compress, WorkerFailuresBecomeOneErrorAndDropTheResult) {
  struct Case {
    ScriptedCodec::Failure failure;
    const char* message;
  } cases[] = {
      {ScriptedCodec::Failure::Error, "Scripted compression: block refused"},
      {ScriptedCodec::Failure::BadAlloc, "Scripted compression: Out of memory"},
      {ScriptedCodec::Failure::Other, "Scripted compression: Unknown error"},
  };
  std::vector<uint8_t> data(100, 1);
  for (const Case& c : cases) {
    ScriptedCodec codec;
    codec.EnableParallelProcessing(false);
    codec.SetSubblockSize(16);
    codec.failure = c.failure;
    codec.failAtBlock = 2;
    try {
      codec.Compress(data.data(), data.size());
      ADD_FAILURE() << "no error: " << c.message;
    } catch (const Error& e) {
      EXPECT_EQ(e.Message(), String(c.message));
    }
    // The worker stopped at the failing block.
    EXPECT_EQ(codec.sizes.size(), 2u);
  }
}

TEST(Compress, ThrowPrefixesTheAlgorithmName) {
  LZ4Compression lz4;
  try {
    lz4.Throw("something");
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.Message(), String("LZ4 compression: something"));
  }
}

}  // namespace
}  // namespace px
