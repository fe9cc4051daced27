#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "XisfFixtures.h"
#include "hostapp/xisf/XisfReader.h"
#include "hostapp/xisf/XisfWriter.h"

namespace hostapp {
namespace {

using testing::LadderPixels;
using Where = XisfWriteOptions::Location;

const char* WhereName(Where w) {
  switch (w) {
    case Where::Attachment: return "attachment";
    case Where::InlineBase64: return "inline:base64";
    case Where::InlineHex: return "inline:hex";
    case Where::Embedded: return "embedded";
  }
  return "?";
}

std::string Describe(const XisfWriteOptions& o) {
  return o.sampleFormat + (o.normalStorage ? " normal" : " planar") + (o.bigEndian ? " big" : " little") + " " +
         WhereName(o.location) + " codec=" + (o.codec.empty() ? "none" : o.codec) + (o.shuffle ? "+sh" : "") +
         (o.subblockSize ? " subblocks" : "");
}

// Every combination of sample format, storage, byte order, location and
// codec (shuffled or not) reads back the pixels that were written.
TEST(XisfRoundTrip, EveryStorageVariantReadsBackTheSamePixels) {
  const uint32_t w = 7, h = 5, c = 3;
  const std::vector<float> pixels = LadderPixels(w, h, c);
  std::vector<XisfWriteOptions> cases;
  for (const char* format : {"UInt8", "UInt16", "UInt32", "Float32", "Float64"})
    for (bool normal : {false, true})
      for (bool big : {false, true})
        for (Where where : {Where::Attachment, Where::InlineBase64, Where::InlineHex, Where::Embedded})
          for (const char* codec : {"", "zlib", "lz4", "lz4hc", "zstd"})
            for (bool shuffle : {false, true}) {
              if (*codec == '\0' && shuffle) continue;
              XisfWriteOptions o;
              o.sampleFormat = format, o.normalStorage = normal, o.bigEndian = big, o.location = where;
              o.codec = codec, o.shuffle = shuffle;
              cases.push_back(o);
            }
  // Several subblocks per block, including a short last one.
  for (const char* codec : {"zlib", "lz4", "lz4hc", "zstd"}) {
    XisfWriteOptions o;
    o.codec = codec, o.shuffle = true, o.subblockSize = 100;
    cases.push_back(o);
  }

  for (const XisfWriteOptions& o : cases) {
    SCOPED_TRACE(Describe(o));
    XisfReader reader = XisfReader::FromBytes(XisfBytes(w, h, c, ColorSpace::RGB, pixels.data(), {}, o));
    ASSERT_EQ(reader.Images().size(), 1u);
    const XisfImageInfo& info = reader.Images()[0];
    EXPECT_EQ(info.width, w);
    EXPECT_EQ(info.height, h);
    EXPECT_EQ(info.channels, c);
    EXPECT_EQ(info.colorSpace, ColorSpace::RGB);
    EXPECT_EQ(info.sampleFormat, o.sampleFormat);
    std::vector<float> out(pixels.size(), -1.0f);
    reader.ReadPixels(out.data());
    for (size_t i = 0; i < out.size(); ++i) {
      // 2^32 - 1 is not a multiple of float precision: the quantised value
      // differs from n/255 below float resolution only.
      if (o.sampleFormat == "UInt32") ASSERT_NEAR(out[i], pixels[i], 1e-7) << "sample " << i;
      else ASSERT_EQ(out[i], pixels[i]) << "sample " << i;
    }
  }
}

TEST(XisfRoundTrip, FloatFormatsKeepValuesOutsideTheUnitRange) {
  const std::vector<float> pixels = {-0.0123f, 1.5f, -1e-30f, 3.0e7f, 0.0f, -0.0f};
  for (const char* format : {"Float32", "Float64"}) {
    SCOPED_TRACE(format);
    XisfWriteOptions o;
    o.sampleFormat = format;
    XisfReader reader = XisfReader::FromBytes(XisfBytes(3, 2, 1, ColorSpace::Gray, pixels.data(), {}, o));
    std::vector<float> out(pixels.size());
    reader.ReadPixels(out.data());
    for (size_t i = 0; i < out.size(); ++i) EXPECT_EQ(out[i], pixels[i]) << i;
    EXPECT_TRUE(reader.Images()[0].floatSample);
    EXPECT_EQ(reader.Images()[0].bitsPerSample, std::string(format) == "Float32" ? 32u : 64u);
  }
}

TEST(XisfRoundTrip, IntegerFormatsClampAndRoundWhenWritten) {
  const std::vector<float> pixels = {-0.5f, 2.0f, 0.5f, float(1.4 / 255), float(1.6 / 255), NAN};
  XisfWriteOptions o;
  o.sampleFormat = "UInt8";
  XisfReader reader = XisfReader::FromBytes(XisfBytes(6, 1, 1, ColorSpace::Gray, pixels.data(), {}, o));
  std::vector<float> out(pixels.size());
  reader.ReadPixels(out.data());
  const std::vector<float> expected = {0.0f, 1.0f, float(128 / 255.0), float(1 / 255.0), float(2 / 255.0), 0.0f};
  for (size_t i = 0; i < out.size(); ++i) EXPECT_EQ(out[i], expected[i]) << i;
}

TEST(XisfRoundTrip, AttachmentFollowsTheHeaderAtAnAlignedPosition) {
  const std::vector<float> pixels = LadderPixels(4, 3, 1);
  const std::string file = XisfBytes(4, 3, 1, ColorSpace::Gray, pixels.data(), {});
  const std::string header = testing::HeaderOf(file);
  size_t at = header.find("location=\"attachment:");
  ASSERT_NE(at, std::string::npos);
  unsigned long position = std::stoul(header.substr(at + 21));
  EXPECT_EQ(position % 16, 0u);
  EXPECT_GE(position, 16 + header.size());
  EXPECT_EQ(file.size(), position + 4 * 3 * 4);
}

TEST(XisfRoundTrip, WriteXisfCreatesTheFileTheReaderOpens) {
  const std::string path = ::testing::TempDir() + "xisf_roundtrip_" + std::to_string(::getpid()) + ".xisf";
  const std::vector<float> pixels = LadderPixels(5, 4, 2);
  WriteXisf(path, 5, 4, 2, ColorSpace::Gray, pixels.data(), {{"OBJECT", "'M31'", ""}});
  XisfReader reader(path);
  EXPECT_EQ(reader.Images()[0].channels, 2u);  // one alpha channel
  ASSERT_EQ(reader.Keywords().size(), 1u);
  std::vector<float> out(pixels.size());
  reader.ReadPixels(out.data());
  EXPECT_EQ(out, pixels);
  std::remove(path.c_str());
}

TEST(XisfRoundTrip, WriterRefusesWhatItCannotWrite) {
  const std::vector<float> pixels(12, 0.5f);
  XisfWriteOptions badFormat;
  badFormat.sampleFormat = "Int16";
  XisfWriteOptions badCodec;
  badCodec.codec = "bzip2";
  EXPECT_THROW(XisfBytes(4, 3, 1, ColorSpace::Gray, pixels.data(), {}, badFormat), XisfError);
  EXPECT_THROW(XisfBytes(4, 3, 1, ColorSpace::Gray, pixels.data(), {}, badCodec), XisfError);
  EXPECT_THROW(XisfBytes(6, 1, 2, ColorSpace::RGB, pixels.data(), {}), XisfError);
  EXPECT_THROW(XisfBytes(0, 3, 1, ColorSpace::Gray, pixels.data(), {}), XisfError);
  EXPECT_THROW(WriteXisf("/nonexistent-dir/x.xisf", 4, 3, 1, ColorSpace::Gray, pixels.data(), {}), XisfError);
}

}  // namespace
}  // namespace hostapp
