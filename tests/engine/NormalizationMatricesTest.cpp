#include <gtest/gtest.h>

#include <cmath>

#include "core/Exception.h"
#include "engine/NormalizationMatrices.h"
#include "file/TempDir.h"
#include "xnml/LocalNormalizationData.h"

using px::ColorSpace;
using px::Image;
using px::IsoString;
using px::LocalNormalizationData;
using px::TargetHeaderValues;

namespace {

// W x H image whose sample (x, y) of channel k is 0.01*(k+1) + 0.001*(y*W+x).
Image Surface(int w, int h, ColorSpace cs, int channels = 0) {
  Image img;
  img.AllocateData(w, h, channels, cs);
  for (int k = 0; k < img.NumberOfChannels(); ++k)
    for (int i = 0; i < w * h; ++i) img.PixelData(k)[i] = 0.01f * (k + 1) + 0.001f * i;
  return img;
}

TargetHeaderValues Header(bool reference, std::vector<double> scale, std::vector<double> bias) {
  TargetHeaderValues h;
  h.isReference = reference;
  h.referenceFileName = "/data/ref.xisf";
  h.targetFileName = "/data/raw/frame01.fit";
  h.width = 640;
  h.height = 480;
  h.resize = 128;
  h.scale = std::move(scale);
  h.bias = std::move(bias);
  return h;
}

std::string ErrorOf(Image& offset, const TargetHeaderValues& h) {
  LocalNormalizationData data;
  try {
    px::BuildNormalizationData(offset, h, data);
  } catch (const px::Error& e) {
    return e.Message().ToStdUTF8();
  }
  return "(no error)";
}

TEST(NormalizationMatrices, ReferenceFrameKeepsTheSurface) {
  Image input = Surface(4, 3, ColorSpace::Gray);
  Image offset = input;
  LocalNormalizationData data;
  px::BuildNormalizationData(offset, Header(true, {2}, {}), data);  // no bias needed for the reference
  const Image& s = data.ScaleMatrices();
  const Image& z = data.ZeroOffsetMatrices();
  ASSERT_EQ(s.NumberOfChannels(), 1);
  ASSERT_EQ(z.NumberOfChannels(), 1);
  EXPECT_EQ(s.Width(), 4);
  EXPECT_EQ(s.Height(), 3);
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(s.PixelData(0)[i], 1.0f);
    EXPECT_EQ(z.PixelData(0)[i], input.PixelData(0)[i]);
  }
  ASSERT_EQ(data.RelativeScaleFactors().Length(), 1u);
  EXPECT_EQ(data.RelativeScaleFactors()[0], 0.5);
  EXPECT_TRUE(data.Bias().IsEmpty());
  EXPECT_EQ(data.ReferenceFilePath().ToStdUTF8(), "/data/ref.xisf");
  EXPECT_EQ(data.TargetFilePath().ToStdUTF8(), "/data/raw/frame01.fit");
  EXPECT_EQ(data.NormalizationScale(), 128);
  EXPECT_EQ(data.ReferenceWidth(), 640);
  EXPECT_EQ(data.ReferenceHeight(), 480);
}

TEST(NormalizationMatrices, NonReferenceFrameSubtractsTheSurfaceFromTheBias) {
  Image offset(2, 2, ColorSpace::Gray);
  offset.Fill(0.1f);
  offset.PixelData(0)[3] = -0.5f;
  LocalNormalizationData data;
  px::BuildNormalizationData(offset, Header(false, {4}, {0.25}), data);
  const Image& z = data.ZeroOffsetMatrices();
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(data.ScaleMatrices().PixelData(0)[i], 0.25f);
    EXPECT_EQ(z.PixelData(0)[i], float(0.25 - double(0.1f)));  // bias - sample, in double, rounded once
  }
  EXPECT_EQ(z.PixelData(0)[3], 0.75f);
  EXPECT_EQ(data.RelativeScaleFactors()[0], 0.25);
}

TEST(NormalizationMatrices, RGBChannelsGetTheirOwnScaleAndBias) {
  const int W = 5, H = 3;
  Image input = Surface(W, H, ColorSpace::RGB);
  Image offset = input;
  LocalNormalizationData data;
  const std::vector<double> scale{2, 4, 3}, bias{0.1, 0.2, 0.3};
  px::BuildNormalizationData(offset, Header(false, scale, bias), data);
  ASSERT_EQ(data.ScaleMatrices().NumberOfChannels(), 3);
  ASSERT_EQ(data.ZeroOffsetMatrices().NumberOfChannels(), 3);
  for (int k = 0; k < 3; ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(data.RelativeScaleFactors()[k], 1.0 / scale[k]);
    for (int i = 0; i < W * H; ++i) {
      EXPECT_EQ(data.ScaleMatrices().PixelData(k)[i], float(1.0 / scale[k]));
      EXPECT_EQ(data.ZeroOffsetMatrices().PixelData(k)[i], float(bias[k] - double(input.PixelData(k)[i])));
    }
  }
}

TEST(NormalizationMatrices, ZeroScaleGivesInfiniteFactors) {
  Image offset = Surface(2, 2, ColorSpace::Gray);
  LocalNormalizationData data;
  px::BuildNormalizationData(offset, Header(false, {0}, {0}), data);
  EXPECT_TRUE(std::isinf(data.RelativeScaleFactors()[0]));
  EXPECT_TRUE(std::isinf(data.ScaleMatrices().PixelData(0)[0]));
}

TEST(NormalizationMatrices, MismatchesAreRejected) {
  const std::string prefix = "LocalNormalizationData::";
  const struct {
    const char* what;
    Image image;
    TargetHeaderValues header;
    std::string message;
  } cases[] = {
      {"RGB with one scale", Surface(3, 2, ColorSpace::RGB), Header(false, {2}, {0.1}),
       prefix + "SetRelativeScaleFactors(): Incompatible vector lengths."},
      {"gray with three scales", Surface(3, 2, ColorSpace::Gray), Header(false, {2, 3, 4}, {0.1, 0.2, 0.3}),
       prefix + "SetRelativeScaleFactors(): Incompatible vector lengths."},
      {"reference RGB with one scale", Surface(3, 2, ColorSpace::RGB), Header(true, {2}, {}),
       prefix + "SetRelativeScaleFactors(): Incompatible vector lengths."},
      {"unreadable pixels", Image(), Header(false, {2}, {0.1}),
       prefix + "SetRelativeScaleFactors(): No zero offset coefficient matrix has been defined."},
      {"gray with alpha", Surface(3, 2, ColorSpace::Gray, 2), Header(false, {2}, {0.1}),
       prefix + "SetLocalNormalizationParameters(): Incompatible number of normalization matrices."},
      {"bias shorter than scale", Surface(3, 2, ColorSpace::RGB), Header(false, {2, 3, 4}, {0.1}),
       "**ERROR** TRVXnml failed to read TRVPLUS1 from FITSHeader."},
  };
  for (auto c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ErrorOf(c.image, c.header), c.message);
  }
}

TEST(NormalizationMatrices, PassStaysInsideTheImageAndTheScaleList) {
  // One scale value for an RGB image: only channel 0 is transformed before
  // the data set refuses the factors.
  Image input = Surface(3, 2, ColorSpace::RGB);
  Image offset = input;
  ErrorOf(offset, Header(false, {2}, {1.0}));
  EXPECT_EQ(offset.PixelData(0)[0], float(1.0 - double(input.PixelData(0)[0])));
  EXPECT_EQ(offset.PixelData(1)[0], input.PixelData(1)[0]);
  EXPECT_EQ(offset.PixelData(2)[5], input.PixelData(2)[5]);
  // An alpha channel is left as read.
  Image alpha = Surface(3, 2, ColorSpace::Gray, 2);
  Image alphaInput = alpha;
  ErrorOf(alpha, Header(false, {2, 2}, {1.0, 1.0}));
  EXPECT_EQ(alpha.PixelData(1)[4], alphaInput.PixelData(1)[4]);
  // A bias list that is too short is refused before anything is touched.
  Image rgb = input;
  ErrorOf(rgb, Header(false, {2, 3, 4}, {1.0, 1.0}));
  EXPECT_EQ(rgb.PixelData(0)[0], input.PixelData(0)[0]);
}

TEST(NormalizationMatrices, PathsAreStoredAbsoluteAndClean) {
  trvx::test::TempDir tmp;
  trvx::test::ScopedChdir cd(tmp.Path());
  TargetHeaderValues h = Header(true, {1}, {});
  h.referenceFileName = "ref/./a.xisf";
  h.targetFileName = "raw/../raw//b\xAC.fit";  // widened byte by byte
  Image offset = Surface(2, 2, ColorSpace::Gray);
  LocalNormalizationData data;
  px::BuildNormalizationData(offset, h, data);
  EXPECT_EQ(data.ReferenceFilePath().ToStdUTF8(), tmp / "ref/a.xisf");
  EXPECT_EQ(data.TargetFilePath().ToStdUTF8(), tmp / "raw/b\xC2\xAC.fit");
}

}  // namespace
