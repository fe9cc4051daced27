#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "hostapp/xnml/XnmlReader.h"
#include "xnml/LocalNormalizationData.h"

namespace px {
namespace {

// The stand-in host's own XNML reader, written separately, must read back
// exactly what the data set holds, whether channels were compressed or not.
TEST(XNMLReaderInterop, TheHostReaderRestoresTheDataSet) {
  Image scale, offset;
  scale.AllocateData(96, 40, 3, ColorSpace::RGB);
  offset.AllocateData(96, 40, 3, ColorSpace::RGB);
  uint32_t noise = 2463534242u;
  for (int k = 0; k < 3; ++k)
    for (int i = 0; i < 96 * 40; ++i) {
      scale.PixelData(k)[i] = 1.0f / float(k + 2);
      offset.PixelData(k)[i] = 0.001f * float(i % 96 + k);
    }
  // Offset channel 2 holds random bits, which do not compress.
  for (int i = 0; i < 96 * 40; ++i) {
    noise ^= noise << 13, noise ^= noise >> 17, noise ^= noise << 5;
    std::memcpy(offset.PixelData(2) + i, &noise, 4);
  }
  for (bool compression : {true, false}) {
    LocalNormalizationData d;
    d.SetReferenceFilePath(u"/data/r\u00E9f & co.xisf");
    d.SetTargetFilePath("/data/target.xisf");
    d.SetNormalizationScale(32);
    d.SetReferenceDimensions(960, 400);
    d.SetLocalNormalizationParameters(scale, offset, DVector{0.1, 0.2, 0.3});
    d.SetRelativeScaleFactors(DVector{0.5, 1.0 / 3, 0.25});
    d.EnableCompression(compression);
    auto doc = d.Serialize();
    doc->SetAutoFormatting(true);
    hostapp::XnmlDocument x = hostapp::ParseXnml(doc->Serialize().Str());

    EXPECT_EQ(x.referenceImage, "/data/r\xC3\xA9" "f & co.xisf");
    EXPECT_EQ(x.targetImage, "/data/target.xisf");
    EXPECT_EQ(x.referenceWidth, 960);
    EXPECT_EQ(x.referenceHeight, 400);
    EXPECT_EQ(x.referenceChannels, 3);
    EXPECT_EQ(x.normalizationScale, 32);
    EXPECT_EQ(x.version, 1);
    EXPECT_TRUE(x.valid);
    EXPECT_EQ(x.bias, (std::vector<double>{0.1, 0.2, 0.3}));
    EXPECT_EQ(x.relativeScaleFactors, (std::vector<double>{0.5, 1.0 / 3, 0.25}));
    EXPECT_TRUE(x.globalScale.empty());
    for (const auto* m : {&x.scale, &x.zeroOffset}) {
      const Image& source = m == &x.scale ? scale : offset;
      ASSERT_EQ(m->width, 96u);
      ASSERT_EQ(m->height, 40u);
      ASSERT_EQ(m->channels.size(), 3u);
      for (int k = 0; k < 3; ++k) {
        ASSERT_EQ(m->channels[k].size(), 96u * 40);
        EXPECT_EQ(std::memcmp(m->channels[k].data(), source.PixelData(k), 96 * 40 * 4), 0) << k;
        bool expectCompressed = compression && !(m == &x.zeroOffset && k == 2);
        EXPECT_EQ(bool(m->compressed[k]), expectCompressed) << k;
      }
    }
  }
}

}  // namespace
}  // namespace px
