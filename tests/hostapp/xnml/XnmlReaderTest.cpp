#include <gtest/gtest.h>

#include <lz4.h>

#include <cstring>
#include <string>
#include <vector>

#include "hostapp/xnml/XnmlReader.h"

namespace hostapp {
namespace {

std::string Base64(const std::vector<uint8_t>& in) {
  static const char* a = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  size_t i = 0;
  for (; i + 2 < in.size(); i += 3) {
    uint32_t v = in[i] << 16 | in[i + 1] << 8 | in[i + 2];
    out += {a[v >> 18], a[(v >> 12) & 63], a[(v >> 6) & 63], a[v & 63]};
  }
  if (i + 1 == in.size()) {
    uint32_t v = in[i] << 16;
    out += {a[v >> 18], a[(v >> 12) & 63], '=', '='};
  } else if (i + 2 == in.size()) {
    uint32_t v = in[i] << 16 | in[i + 1] << 8;
    out += {a[v >> 18], a[(v >> 12) & 63], a[(v >> 6) & 63], '='};
  }
  return out;
}

std::vector<uint8_t> Bytes(const std::vector<float>& f) {
  std::vector<uint8_t> b(f.size() * 4);
  std::memcpy(b.data(), f.data(), b.size());
  return b;
}

// A compressed ChannelData: shuffled by 4-byte items, one LZ4 subblock.
std::string CompressedChannel(const std::vector<float>& samples, long declaredSize = -1) {
  std::vector<uint8_t> raw = Bytes(samples), sh(raw.size());
  size_t m = raw.size() / 4;
  for (size_t j = 0; j < 4; ++j)
    for (size_t k = 0; k < m; ++k) sh[j * m + k] = raw[k * 4 + j];
  std::vector<uint8_t> out(size_t(LZ4_compressBound(int(sh.size()))));
  int n = LZ4_compress_default(reinterpret_cast<const char*>(sh.data()), reinterpret_cast<char*>(out.data()),
                               int(sh.size()), int(out.size()));
  out.resize(size_t(n));
  return "<ChannelData compression=\"LZ4+sh\">\n<Subblock uncompressedSize=\"" +
         std::to_string(declaredSize < 0 ? long(sh.size()) : declaredSize) + "\">" + Base64(out) +
         "</Subblock>\n</ChannelData>";
}

std::string Document(const std::string& scaleChannel, const std::string& offsetChannel,
                     const std::string& extra = "<RelativeScaleFactors>0.25</RelativeScaleFactors>",
                     int w = 8, int h = 8) {
  std::string geometry = "width=\"" + std::to_string(w) + "\" height=\"" + std::to_string(h) +
                         "\" numberOfChannels=\"1\" sampleFormat=\"Float32\"";
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<xnml version=\"1.0\">\n"
         "<CreationTime>2026-12-09T17:45:03.250Z</CreationTime>\n"
         "<ReferenceImage>/r/ref &amp; co.xisf</ReferenceImage>\n<TargetImage>/r/t.xisf</TargetImage>\n"
         "<ReferenceGeometry width=\"16\" height=\"16\" numberOfChannels=\"1\"/>\n"
         "<LocalNormalization scale=\"16\" version=\"1\">\n<Scale " + geometry + ">" + scaleChannel +
         "</Scale>\n<ZeroOffset " + geometry + ">" + offsetChannel + "</ZeroOffset>\n</LocalNormalization>\n" +
         extra + "\n</xnml>\n";
}

std::string RawChannel(const std::vector<float>& samples) {
  return "<ChannelData>" + Base64(Bytes(samples)) + "</ChannelData>";
}

// 8 x 8 offsets: repetitive enough for LZ4 to pay off.
const std::vector<float> kOffsets = [] {
  std::vector<float> v(64);
  for (size_t i = 0; i < v.size(); ++i) v[i] = float(i % 4) * 0.25f - 0.5f;
  return v;
}();
const std::vector<float> kOnes(64, 1.0f);

TEST(XnmlReader, ReadsTheSmallUncompressedCase) {
  std::string ones = "<ChannelData>AACAPwAAgD8AAIA/AACAPw==</ChannelData>";
  XnmlDocument doc = ParseXnml(Document(ones, ones, "", 2, 2));
  EXPECT_EQ(doc.scale.width, 2u);
  EXPECT_EQ(doc.zeroOffset.channels[0], std::vector<float>(4, 1.0f));
  EXPECT_TRUE(doc.relativeScaleFactors.empty());
}

TEST(XnmlReader, ReadsRawAndCompressedChannelsBitExactly) {
  XnmlDocument doc = ParseXnml(Document(RawChannel(kOnes), CompressedChannel(kOffsets)));
  EXPECT_EQ(doc.referenceImage, "/r/ref & co.xisf");
  EXPECT_EQ(doc.normalizationScale, 16);
  ASSERT_EQ(doc.scale.channels.size(), 1u);
  EXPECT_EQ(doc.scale.channels[0], kOnes);
  EXPECT_FALSE(doc.scale.compressed[0]);
  EXPECT_TRUE(doc.zeroOffset.compressed[0]);
  EXPECT_EQ(0, std::memcmp(doc.zeroOffset.channels[0].data(), kOffsets.data(), 256));
  EXPECT_EQ(doc.relativeScaleFactors, std::vector<double>{0.25});
}

TEST(XnmlReader, DamagedDocumentsSayWhatIsWrong) {
  std::string good = RawChannel(kOnes);
  struct Case {
    std::string text;
    std::string expected;  // part of the message
  } cases[] = {
      {"<xnml version=\"1.0\"><CreationTime>", "malformed XML"},
      {"<other/>", "not <xnml>"},
      {Document(RawChannel(std::vector<float>(63, 1.0f)), good), "252 bytes where the geometry needs 256"},
      {Document("<ChannelData>AACAPwAAgD8AAIA/AACAP*==</ChannelData>", good), "malformed Base64"},
      {Document(good, CompressedChannel(kOffsets, 200)), "does not decompress"},
      {Document(good, CompressedChannel(kOffsets, 300)), "exceeds the channel size"},
      {Document(good, "<ChannelData compression=\"zip\"/>"), "unknown compression"},
      {Document(good, good, "<RelativeScaleFactors>1,2</RelativeScaleFactors>"), "2 values for 1 channels"},
      {Document(good, good, "<RelativeScaleFactors>1,x</RelativeScaleFactors>"), "bad number"},
      {Document(good + good, good), "2 ChannelData elements for 1 channels"},
  };
  for (const Case& c : cases) {
    try {
      ParseXnml(c.text);
      ADD_FAILURE() << "accepted: " << c.expected;
    } catch (const XnmlError& e) {
      EXPECT_NE(std::string(e.what()).find(c.expected), std::string::npos) << e.what();
    }
  }
}

TEST(XnmlReader, Base64DecodesEveryLengthOfAnIndependentEncoding) {
  std::vector<uint8_t> data;
  for (size_t n = 0; n <= 64; ++n) {
    EXPECT_EQ(DecodeBase64(Base64(data)), data) << n;
    data.push_back(uint8_t(n * 37 + 11));
  }
  for (const char* bad : {"A", "AB=C", "A===", "AAAA=AAA", "AA*A"}) EXPECT_THROW(DecodeBase64(bad), XnmlError) << bad;
}

TEST(XnmlReader, UnshuffleRestoresItemsAndTail) {
  std::vector<uint8_t> shuffled = {0x00, 0x10, 0x01, 0x11, 0x02, 0x12, 0x03, 0x13, 0xAA, 0xBB};
  std::vector<uint8_t> expected = {0x00, 0x01, 0x02, 0x03, 0x10, 0x11, 0x12, 0x13, 0xAA, 0xBB};
  EXPECT_EQ(Unshuffle(shuffled, 4), expected);
}

}  // namespace
}  // namespace hostapp
