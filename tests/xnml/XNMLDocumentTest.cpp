#include <gtest/gtest.h>
#include <lz4.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "compression/Compression.h"
#include "core/Exception.h"
#include "xml/XMLDocument.h"
#include "xnml/LocalNormalizationData.h"

namespace px {
namespace {

const char* const kHead =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<!--\n"
    "PixInsight XML Local Normalization Data Format - XNML version 1.0\n"
    "Created with PixInsight software - https://pixinsight.com/\n"
    "-->\n";
const char* const kRootAttributes =
    "xmlns=\"http://www.pixinsight.com/xnml\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
    "xsi:schemaLocation=\"http://www.pixinsight.com/xnml http://pixinsight.com/xnml/xnml-1.0.xsd\"";

// The document as written to a file, with its creation time replaced by
// "*" once its format has been checked.
std::string Masked(const LocalNormalizationData& d) {
  auto doc = d.Serialize();
  doc->SetAutoFormatting(true);
  std::string text = doc->Serialize().Str();
  std::regex time(R"(<CreationTime>\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}Z</CreationTime>)");
  EXPECT_TRUE(std::regex_search(text, time)) << text;
  return std::regex_replace(text, time, "<CreationTime>*</CreationTime>");
}

Image Constant(int width, int height, int channels, float value) {
  Image image;
  image.AllocateData(width, height, channels, channels == 3 ? ColorSpace::RGB : ColorSpace::Gray);
  image.Fill(value);
  return image;
}

// The engine's small case: scale 16, a 16 x 16 reference, 2 x 2 matrices.
LocalNormalizationData Small() {
  LocalNormalizationData d;
  d.SetReferenceFilePath("/data/ref.xisf");
  d.SetTargetFilePath("/data/tgt.xisf");
  d.SetNormalizationScale(16);
  d.SetReferenceDimensions(16, 16);
  Image offset = Constant(2, 2, 1, 0);
  float samples[] = {0.25f, -1.5f, 3.0f, 0.125f};
  std::memcpy(offset.PixelData(0), samples, sizeof samples);
  d.SetLocalNormalizationParameters(Constant(2, 2, 1, 1.0f), offset, DVector());
  d.SetRelativeScaleFactors(DVector{0.5});
  return d;
}

TEST(XNMLDocument, SmallMatricesAreWrittenAsPlainBase64) {
  // 16 bytes per channel: below the minimum block, compression cannot pay.
  EXPECT_EQ(Masked(Small()), std::string(kHead) +
                                 "<xnml version=\"1.0\" " + kRootAttributes + ">\n"
                                 "   <CreationTime>*</CreationTime>\n"
                                 "   <ReferenceImage>/data/ref.xisf</ReferenceImage>\n"
                                 "   <TargetImage>/data/tgt.xisf</TargetImage>\n"
                                 "   <ReferenceGeometry width=\"16\" height=\"16\" numberOfChannels=\"1\"/>\n"
                                 "   <LocalNormalization scale=\"16\" version=\"1\">\n"
                                 "      <Scale width=\"2\" height=\"2\" numberOfChannels=\"1\" sampleFormat=\"Float32\">\n"
                                 "         <ChannelData>AACAPwAAgD8AAIA/AACAPw==</ChannelData>\n"
                                 "      </Scale>\n"
                                 "      <ZeroOffset width=\"2\" height=\"2\" numberOfChannels=\"1\" sampleFormat=\"Float32\">\n"
                                 "         <ChannelData>AACAPgAAwL8AAEBAAAAAPg==</ChannelData>\n"
                                 "      </ZeroOffset>\n"
                                 "   </LocalNormalization>\n"
                                 "   <RelativeScaleFactors>0.5</RelativeScaleFactors>\n"
                                 "</xnml>\n");
}

TEST(XNMLDocument, MarkedInvalidHasNoMatrices) {
  LocalNormalizationData d;
  d.SetNormalizationScale(16);
  d.SetReferenceDimensions(64, 64);
  d.SetFormatVersion(3);
  d.MarkInvalid();
  EXPECT_EQ(Masked(d), std::string(kHead) +
                           "<xnml version=\"1.0\" valid=\"false\" " + kRootAttributes + ">\n"
                           "   <CreationTime>*</CreationTime>\n"
                           "   <ReferenceImage></ReferenceImage>\n"
                           "   <TargetImage></TargetImage>\n"
                           "   <ReferenceGeometry width=\"64\" height=\"64\" numberOfChannels=\"0\"/>\n"
                           "   <LocalNormalization scale=\"16\" version=\"3\"/>\n"
                           "</xnml>\n");
}

TEST(XNMLDocument, BiasGlobalNormalizationAndNumberFormats) {
  LocalNormalizationData d;
  d.SetReferenceFilePath(u"/d/R&D/it's caf\u00E9.xisf");
  d.SetTargetFilePath("/d/<t>.xisf");
  d.SetNormalizationScale(32);
  d.SetReferenceDimensions(100, 50);
  d.EnableCompression(false);
  d.SetLocalNormalizationParameters(Constant(1, 2, 3, 2.0f), Constant(1, 2, 3, 4.0f), DVector{1e-20, -0.1, 2.5e16});
  d.SetGlobalNormalizationParameters(DVector{1, 2, 3}, DVector{4, 5, 6}, DVector{123456789012345678.0, 0, -0.0});
  d.SetRelativeScaleFactors(DVector{1, 0.5, 1.0 / 3});
  const std::string twos = "<ChannelData>AAAAQAAAAEA=</ChannelData>\n";
  const std::string fours = "<ChannelData>AACAQAAAgEA=</ChannelData>\n";
  EXPECT_EQ(Masked(d), std::string(kHead) +
                           "<xnml version=\"1.0\" " + kRootAttributes + ">\n"
                           "   <CreationTime>*</CreationTime>\n"
                           "   <ReferenceImage>/d/R&amp;D/it&apos;s caf\xC3\xA9.xisf</ReferenceImage>\n"
                           "   <TargetImage>/d/&lt;t&gt;.xisf</TargetImage>\n"
                           "   <ReferenceGeometry width=\"100\" height=\"50\" numberOfChannels=\"3\"/>\n"
                           "   <LocalNormalization scale=\"32\" version=\"1\">\n"
                           "      <Scale width=\"1\" height=\"2\" numberOfChannels=\"3\" sampleFormat=\"Float32\">\n"
                           "         " + twos + "         " + twos + "         " + twos +
                           "      </Scale>\n"
                           "      <ZeroOffset width=\"1\" height=\"2\" numberOfChannels=\"3\" sampleFormat=\"Float32\">\n"
                           "         " + fours + "         " + fours + "         " + fours +
                           "      </ZeroOffset>\n"
                           "      <Bias>9.999999999999999e-21,-0.1,2.5e+16</Bias>\n"
                           "   </LocalNormalization>\n"
                           "   <GlobalNormalization>\n"
                           "      <Scale>1.234567890123457e+17,0,-0</Scale>\n"
                           "      <ReferenceLocation>1,2,3</ReferenceLocation>\n"
                           "      <TargetLocation>4,5,6</TargetLocation>\n"
                           "   </GlobalNormalization>\n"
                           "   <RelativeScaleFactors>1,0.5,0.3333333333333333</RelativeScaleFactors>\n"
                           "</xnml>\n");
}

TEST(XNMLDocument, GlobalNormalizationNeedsAllThreeVectors) {
  LocalNormalizationData d = Small();
  d.SetGlobalNormalizationParameters(DVector{1}, DVector(), DVector{3});
  std::string text = Masked(d);
  EXPECT_EQ(text.find("GlobalNormalization"), std::string::npos);
  EXPECT_NE(text.find("<RelativeScaleFactors>0.5</RelativeScaleFactors>"), std::string::npos);
}

// Decodes canonical Base64 (test-side reference).
std::vector<uint8_t> FromBase64(const std::string& text) {
  std::vector<uint8_t> out;
  uint32_t acc = 0;
  int bits = 0;
  for (char c : text) {
    int v = c >= 'A' && c <= 'Z'   ? c - 'A'
            : c >= 'a' && c <= 'z' ? c - 'a' + 26
            : c >= '0' && c <= '9' ? c - '0' + 52
            : c == '+'             ? 62
            : c == '/'             ? 63
                                   : -1;
    if (v < 0) break;
    acc = acc << 6 | uint32_t(v);
    bits += 6;
    if (bits >= 8) {
      bits -= 8;
      out.push_back(uint8_t(acc >> bits));
    }
  }
  return out;
}

// The texts between each `open` and the next `close`, in order.
std::vector<std::string> Between(const std::string& text, const std::string& open, const std::string& close) {
  std::vector<std::string> out;
  for (size_t at = text.find(open); at != std::string::npos; at = text.find(open, at)) {
    at += open.size();
    size_t end = text.find(close, at);
    if (end == std::string::npos) break;
    out.push_back(text.substr(at, end - at));
    at = end;
  }
  return out;
}

// Re-encodes, so that a payload with foreign characters cannot pass.
std::string Base64(const std::vector<uint8_t>& bytes) { return IsoString::ToBase64(bytes.data(), bytes.size()).Str(); }

TEST(XNMLDocument, CompressedChannelsRestoreTheSamples) {
  // 64 x 48 RGB matrices with smooth values: each channel compresses into
  // one subblock that a reader restores exactly.
  LocalNormalizationData d;
  d.SetReferenceFilePath("/r.xisf");
  d.SetTargetFilePath("/t.xisf");
  d.SetNormalizationScale(64);
  d.SetReferenceDimensions(640, 480);
  Image scale = Constant(64, 48, 3, 0.5f), offset = Constant(64, 48, 3, 0);
  for (int k = 0; k < 3; ++k)
    for (int i = 0; i < 64 * 48; ++i) offset.PixelData(k)[i] = 0.01f * float(k + 1) * float(i % 64);
  d.SetLocalNormalizationParameters(scale, offset, DVector());
  d.SetRelativeScaleFactors(DVector{1, 1, 1});
  std::string text = Masked(d);

  // Each channel: one Subblock line between ChannelData lines, at levels 3 and 4.
  const std::string open = "\n         <ChannelData compression=\"LZ4+sh\">\n            <Subblock uncompressedSize=\"" +
                           std::to_string(64 * 48 * 4) + "\">";
  const std::string close = "</Subblock>\n         </ChannelData>\n";
  std::vector<std::vector<uint8_t>> channels;
  for (std::string payload : Between(text, open, close)) {
    std::vector<uint8_t> stored = FromBase64(payload);
    ASSERT_EQ(Base64(stored), payload);
    ASSERT_LT(stored.size(), 64u * 48 * 4);
    std::vector<uint8_t> shuffled(64 * 48 * 4);
    ASSERT_EQ(LZ4_decompress_safe(reinterpret_cast<const char*>(stored.data()), reinterpret_cast<char*>(shuffled.data()),
                                  int(stored.size()), int(shuffled.size())),
              int(shuffled.size()));
    ByteArray samples = Compression::Unshuffle(shuffled.data(), shuffled.size(), 4);
    channels.emplace_back(samples.begin(), samples.end());
  }
  ASSERT_EQ(channels.size(), 6u);
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(std::memcmp(channels[k].data(), scale.PixelData(k), channels[k].size()), 0) << k;
    EXPECT_EQ(std::memcmp(channels[3 + k].data(), offset.PixelData(k), channels[k].size()), 0) << k;
  }

  // The same data set with compression off: plain Base64 of the samples.
  d.EnableCompression(false);
  std::string plain = Masked(d);
  EXPECT_EQ(plain.find("compression="), std::string::npos);
  EXPECT_EQ(plain.find("Subblock"), std::string::npos);
  int k = 0;
  for (std::string payload : Between(plain, "<ChannelData>", "</ChannelData>")) {
    const Image& source = k < 3 ? scale : offset;
    std::vector<uint8_t> bytes = FromBase64(payload);
    ASSERT_EQ(bytes.size(), 64u * 48 * 4);
    EXPECT_EQ(std::memcmp(bytes.data(), source.PixelData(k % 3), bytes.size()), 0) << k;
    ++k;
  }
  EXPECT_EQ(k, 6);
}

TEST(XNMLDocument, ADocumentKeepsTheMatricesItWasBuiltFrom) {
  // Payloads are encoded when the document is written; replacing the data
  // set's matrices afterwards must not change an existing document.
  for (bool compression : {false, true}) {
    LocalNormalizationData d = Small();
    d.SetReferenceDimensions(640, 480);
    Image scale = Constant(64, 48, 1, 0.5f), offset = Constant(64, 48, 1, 0.25f);
    d.SetLocalNormalizationParameters(scale, offset, DVector());
    d.EnableCompression(compression);
    auto doc = d.Serialize();
    std::string before = doc->Serialize().Str();
    d.SetLocalNormalizationParameters(Constant(64, 48, 1, 7.0f), Constant(64, 48, 1, 9.0f), DVector());
    scale.Fill(3.0f);
    EXPECT_EQ(doc->Serialize().Str(), before);
    EXPECT_NE(before.find(compression ? "<Subblock" : "<ChannelData>AAAAPw"), std::string::npos);
  }
}

TEST(XNMLDocument, SerializeToFileWritesTheIndentedDocument) {
  char dir[] = "/tmp/trvx_xnml_XXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  std::string path = std::string(dir) + "/t.xnml";
  LocalNormalizationData d = Small();
  d.SerializeToFile(String::UTF8ToUTF16(path));
  std::ifstream in(path, std::ios::binary);
  std::stringstream got;
  got << in.rdbuf();
  std::string text =
      std::regex_replace(got.str(), std::regex(R"(<CreationTime>[^<]*</CreationTime>)"), "<CreationTime>*</CreationTime>");
  EXPECT_EQ(text, Masked(d));
  std::remove(path.c_str());

  // An invalid data set creates no file.
  LocalNormalizationData invalid;
  EXPECT_THROW(invalid.SerializeToFile(String::UTF8ToUTF16(path)), Error);
  EXPECT_FALSE(std::ifstream(path).good());
  rmdir(dir);
}

}  // namespace
}  // namespace px
