#include "hostapp/xisf/XisfCodec.h"
#include "hostapp/xisf/XisfShuffle.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hostapp/xisf/BinaryText.h"
#include "hostapp/xisf/XisfTypes.h"

namespace hostapp::xisf {
namespace {

TEST(XisfShuffle, GroupsBytesByPositionAndLeavesTheTailInPlace) {
  std::vector<uint8_t> data = {0xA0, 0xA1, 0xB0, 0xB1, 0xC0, 0xC1, 0x77};
  Shuffle(data.data(), data.size(), 2);
  EXPECT_EQ(data, (std::vector<uint8_t>{0xA0, 0xB0, 0xC0, 0xA1, 0xB1, 0xC1, 0x77}));
  Unshuffle(data.data(), data.size(), 2);
  EXPECT_EQ(data, (std::vector<uint8_t>{0xA0, 0xA1, 0xB0, 0xB1, 0xC0, 0xC1, 0x77}));
}

TEST(XisfCompression, AttributesParseAndPrintBack) {
  Compression c = ParseCompression("lz4hc+sh:4096:8", "100,2048:120,2048", 4);
  EXPECT_EQ(c.codec, Codec::Lz4HC);
  EXPECT_TRUE(c.shuffled);
  EXPECT_EQ(c.uncompressedSize, 4096u);
  EXPECT_EQ(c.itemSize, 8u);
  ASSERT_EQ(c.subblocks.size(), 2u);
  EXPECT_EQ(c.subblocks[1].compressedSize, 120u);
  EXPECT_EQ(CompressionAttribute(c), "lz4hc+sh:4096:8");
  EXPECT_EQ(SubblocksAttribute(c), "100,2048:120,2048");

  EXPECT_EQ(ParseCompression("zstd+sh:64", "", 4).itemSize, 4u);  // item size defaults to the sample size
  for (const char* bad : {"zstd", "zstd:", "zstd:-1", "zstd:12:0", "zstd:1:2:3", "gzip:12", "zlib+sh+sh:12"}) {
    SCOPED_TRACE(bad);
    EXPECT_THROW(ParseCompression(bad, "", 4), XisfError);
  }
  EXPECT_THROW(ParseCompression("zlib:12", "12", 4), XisfError);
  EXPECT_THROW(ParseCompression("zlib:12", "1,2,3", 4), XisfError);
}

TEST(XisfCompression, ImpossibleExpansionIsRefusedBeforeDecompressing) {
  Compression c = ParseCompression("lz4:100000", "", 1);
  EXPECT_THROW(CheckCompressedBlock(c, 10), XisfError);   // LZ4 cannot expand 10 bytes that far
  EXPECT_NO_THROW(CheckCompressedBlock(c, 1000));
  Compression zero = ParseCompression("zlib:0", "", 1);
  EXPECT_THROW(CheckCompressedBlock(zero, 10), XisfError);
}

TEST(BinaryText, Base64AndHexRoundTripAtEveryPaddingLength) {
  const std::vector<std::pair<std::string, std::string>> known = {
      {"", ""}, {"f", "Zg=="}, {"fo", "Zm8="}, {"foo", "Zm9v"}, {"foob", "Zm9vYg=="}, {"\xff\xfe", "//4="}};
  for (const auto& [plain, encoded] : known) {
    SCOPED_TRACE(plain);
    const auto* p = reinterpret_cast<const uint8_t*>(plain.data());
    EXPECT_EQ(EncodeBase64(p, plain.size()), encoded);
    EXPECT_EQ(DecodeBase64(encoded), std::vector<uint8_t>(plain.begin(), plain.end()));
    EXPECT_EQ(DecodeHex(EncodeHex(p, plain.size())), std::vector<uint8_t>(plain.begin(), plain.end()));
  }
  EXPECT_EQ(DecodeBase64(" Zm9v\n Yg==\t"), (std::vector<uint8_t>{'f', 'o', 'o', 'b'}));
  EXPECT_EQ(DecodeHex("0A ff\n"), (std::vector<uint8_t>{0x0A, 0xFF}));
}

TEST(BinaryText, MalformedTextIsRefused) {
  for (const char* bad : {"Zm9", "Z=9v", "Zg==Zm9v", "Zm9v=", "Zm9*", "===="}) {
    SCOPED_TRACE(bad);
    EXPECT_THROW(DecodeBase64(bad), XisfError);
  }
  for (const char* bad : {"0", "0g", "abc"}) {
    SCOPED_TRACE(bad);
    EXPECT_THROW(DecodeHex(bad), XisfError);
  }
}

}  // namespace
}  // namespace hostapp::xisf
