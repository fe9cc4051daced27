#include <gtest/gtest.h>
#include <lz4.h>

#include <cstring>
#include <string>
#include <vector>

#include "compression/LZ4Compression.h"
#include "core/Exception.h"

namespace px {
namespace {

TEST(LZ4Compression, CodecLimits) {
  LZ4Compression lz4;
  EXPECT_EQ(lz4.AlgorithmName(), String("LZ4"));
  EXPECT_EQ(lz4.MinCompressionLevel(), 0);
  EXPECT_EQ(lz4.MaxCompressionLevel(), 64);
  EXPECT_EQ(lz4.DefaultCompressionLevel(), 64);
  EXPECT_EQ(lz4.MinBlockSize(), 64u);
  EXPECT_EQ(lz4.MaxBlockSize(), 2113929216u);
  for (size_t n : {0u, 1u, 64u, 1000u, 1u << 20})
    EXPECT_EQ(lz4.MaxCompressedBlockSize(n), size_t(LZ4_compressBound(int(n)))) << n;
  EXPECT_EQ(lz4.MaxCompressedBlockSize(0x7E000000), size_t(LZ4_compressBound(0x7E000000)));
  EXPECT_EQ(lz4.MaxCompressedBlockSize(0x7E000001), 0u);
}

TEST(LZ4Compression, CompressBlockChecksArgumentsInOrder) {
  LZ4Compression lz4;
  char in[64] = {}, out[128];
  struct Case {
    void* output;
    size_t capacity;
    const void* input;
    size_t size;
    const char* message;
  } cases[] = {
      // Everything wrong: the input pointer is reported first.
      {nullptr, size_t(1) << 31, nullptr, 0x7E000001, "Null input buffer."},
      {nullptr, size_t(1) << 31, in, 0x7E000001, "Null output buffer."},
      {out, size_t(1) << 31, in, 0x7E000001, "Invalid input size."},
      {out, size_t(1) << 31, in, 64, "Invalid maximum output size."},
  };
  for (const Case& c : cases) {
    try {
      lz4.CompressBlock(c.output, c.capacity, c.input, c.size, 64);
      ADD_FAILURE() << "no error for " << c.message;
    } catch (const Error& e) {
      EXPECT_EQ(e.Message(), String("LZ4Compression::CompressBlock(): ") + c.message);
    }
  }
  // The limits themselves are accepted.
  EXPECT_GT(lz4.CompressBlock(out, (size_t(1) << 31) - 1, in, 64, 64), 0u);
}

TEST(LZ4Compression, CompressBlockProducesAnLZ4BlockAtEveryLevel) {
  LZ4Compression lz4;
  std::string text;
  for (int i = 0; i < 200; ++i) text += "local normalization " + std::to_string(i % 7);
  std::vector<char> out(lz4.MaxCompressedBlockSize(text.size()));
  std::vector<char> back(text.size());
  for (int level : {-5, 0, 1, 32, 64, 1000}) {
    size_t n = lz4.CompressBlock(out.data(), out.size(), text.data(), text.size(), level);
    ASSERT_GT(n, 0u) << level;
    ASSERT_LT(n, text.size()) << level;
    ASSERT_EQ(LZ4_decompress_safe(out.data(), back.data(), int(n), int(back.size())), int(text.size())) << level;
    EXPECT_EQ(std::string(back.data(), back.size()), text) << level;
    EXPECT_EQ(lz4.UncompressBlock(back.data(), back.size(), out.data(), n), text.size()) << level;
  }
}

TEST(LZ4Compression, LevelSelectsAccelerationSixtyFiveMinusLevel) {
  LZ4Compression lz4;
  // Partly repetitive data, on which LZ4's acceleration changes the output.
  std::vector<char> in(1 << 16);
  uint32_t x = 1;
  for (size_t i = 0; i < in.size(); ++i) {
    x = x * 1103515245u + 12345u;
    in[i] = (x >> 28) < 6 ? char(x >> 16) : in[i > 300 ? i - 300 + (x >> 24) % 40 : 0];
  }
  std::vector<char> got(lz4.MaxCompressedBlockSize(in.size())), want(got.size());
  auto direct = [&](int acceleration) {
    return LZ4_compress_fast(in.data(), want.data(), int(in.size()), int(want.size()), acceleration);
  };
  ASSERT_NE(direct(1), direct(64)) << "data does not tell accelerations apart";
  struct Case {
    int level, acceleration;
  } cases[] = {{64, 1}, {1, 64}, {40, 25}, {0, 64}, {-3, 64}, {99, 1}};
  for (const Case& c : cases) {
    size_t n = lz4.CompressBlock(got.data(), got.size(), in.data(), in.size(), c.level);
    int m = direct(c.acceleration);
    ASSERT_EQ(int(n), m) << "level " << c.level;
    EXPECT_EQ(std::memcmp(got.data(), want.data(), n), 0) << "level " << c.level;
  }
}

TEST(LZ4Compression, CompressBlockReturnsZeroWhenTheOutputDoesNotFit) {
  LZ4Compression lz4;
  std::vector<char> in(1000);
  for (size_t i = 0; i < in.size(); ++i) in[i] = char(i * 7919 % 251);
  char out[8];
  EXPECT_EQ(lz4.CompressBlock(out, sizeof out, in.data(), in.size(), 64), 0u);
}

}  // namespace
}  // namespace px
