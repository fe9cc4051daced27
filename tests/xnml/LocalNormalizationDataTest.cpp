#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "core/Exception.h"
#include "xnml/LocalNormalizationData.h"

namespace px {
namespace {

Image Matrices(int width, int height, int channels, float value) {
  Image image;
  image.AllocateData(width, height, channels, ColorSpace::Gray);
  image.Fill(value);
  return image;
}

String ErrorOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const Error& e) {
    return e.Message();
  }
  return String("(no error)");
}

TEST(LocalNormalizationData, DefaultsAreUnsetAndInvalid) {
  LocalNormalizationData d;
  EXPECT_TRUE(d.ReferenceFilePath().IsEmpty());
  EXPECT_EQ(d.NormalizationScale(), -1);
  EXPECT_EQ(d.ReferenceWidth(), -1);
  EXPECT_EQ(d.ReferenceHeight(), -1);
  EXPECT_TRUE(d.ScaleMatrices().IsEmpty());
  EXPECT_TRUE(d.Bias().IsEmpty());
  EXPECT_TRUE(d.IsCompressionEnabled());
  EXPECT_EQ(d.FormatVersion(), 0);
  EXPECT_FALSE(d.IsMarkedInvalid());
  EXPECT_FALSE(d.IsValid());
  EXPECT_EQ(ErrorOf([&] { d.Serialize(); }),
            String("LocalNormalizationData::Serialize(): Uninitialized or invalid local normalization data."));
}

TEST(LocalNormalizationData, SetLocalNormalizationParametersChecks) {
  const char* prefix = "LocalNormalizationData::SetLocalNormalizationParameters(): ";
  struct Case {
    Image scale, offset;
    DVector bias;
    const char* message;  // null: accepted
  } cases[] = {
      {Matrices(100, 80, 1, 1), Matrices(100, 81, 1, 0), {}, "Incompatible matrix dimensions."},
      {Matrices(100, 80, 1, 1), Matrices(99, 80, 1, 0), {}, "Incompatible matrix dimensions."},
      {Matrices(10, 10, 1, 1), Matrices(10, 10, 3, 0), {}, "Incompatible number of normalization matrices."},
      // Dimensions are checked before channel counts.
      {Matrices(10, 10, 1, 1), Matrices(10, 11, 3, 0), {}, "Incompatible matrix dimensions."},
      {Matrices(10, 10, 3, 1), Matrices(10, 10, 3, 0), DVector{1, 2}, "Incompatible bias vector length."},
      {Matrices(10, 10, 3, 1), Matrices(10, 10, 3, 0), DVector{1, 2, 3}, nullptr},
      {Matrices(10, 10, 3, 1), Matrices(10, 10, 3, 0), {}, nullptr},
  };
  for (const Case& c : cases) {
    LocalNormalizationData d;
    String got = ErrorOf([&] { d.SetLocalNormalizationParameters(c.scale, c.offset, c.bias); });
    EXPECT_EQ(got, c.message ? String(prefix) + c.message : String("(no error)"));
  }
}

TEST(LocalNormalizationData, MatricesAreStoredBeforeTheBiasCheck) {
  LocalNormalizationData d;
  d.SetLocalNormalizationParameters(Matrices(4, 4, 3, 1), Matrices(4, 4, 3, 0), DVector{1, 2, 3});
  EXPECT_THROW(d.SetLocalNormalizationParameters(Matrices(5, 6, 3, 2), Matrices(5, 6, 3, 7), DVector{1, 2}), Error);
  EXPECT_EQ(d.ScaleMatrices().Width(), 5);
  EXPECT_EQ(d.ZeroOffsetMatrices().Height(), 6);
  EXPECT_EQ(d.ZeroOffsetMatrices().PixelData(2)[0], 7.0f);
  EXPECT_EQ(d.Bias().Vec(), (std::vector<double>{1, 2, 3}));
  // An empty bias keeps the stored one.
  d.SetLocalNormalizationParameters(Matrices(5, 6, 3, 2), Matrices(5, 6, 3, 7), DVector());
  EXPECT_EQ(d.Bias().Vec(), (std::vector<double>{1, 2, 3}));
}

TEST(LocalNormalizationData, StoredMatricesAreIsolatedFromLaterWrites) {
  Image scale = Matrices(3, 3, 1, 1), offset = Matrices(3, 3, 1, 0);
  LocalNormalizationData d;
  d.SetLocalNormalizationParameters(scale, offset, DVector());
  scale.PixelData(0)[4] = 9;
  offset.Fill(5);
  EXPECT_EQ(d.ScaleMatrices().PixelData(0)[4], 1.0f);
  EXPECT_EQ(d.ZeroOffsetMatrices().PixelData(0)[0], 0.0f);
}

TEST(LocalNormalizationData, SetRelativeScaleFactorsChecks) {
  const char* prefix = "LocalNormalizationData::SetRelativeScaleFactors(): ";
  LocalNormalizationData d;
  EXPECT_EQ(ErrorOf([&] { d.SetRelativeScaleFactors(DVector{1}); }),
            String(prefix) + "No zero offset coefficient matrix has been defined.");
  d.SetLocalNormalizationParameters(Matrices(2, 2, 1, 1), Matrices(2, 2, 1, 0), DVector());
  EXPECT_EQ(ErrorOf([&] { d.SetRelativeScaleFactors(DVector{1, 2, 3}); }),
            String(prefix) + "Incompatible vector lengths.");
  EXPECT_EQ(ErrorOf([&] { d.SetRelativeScaleFactors(DVector()); }), String(prefix) + "Incompatible vector lengths.");
  EXPECT_TRUE(d.RelativeScaleFactors().IsEmpty());
  d.SetRelativeScaleFactors(DVector{0.5});
  EXPECT_EQ(d.RelativeScaleFactors().Vec(), std::vector<double>{0.5});
}

TEST(LocalNormalizationData, ValidityRule) {
  struct Case {
    int scale, refWidth, refHeight;
    int width, height, channels;  // matrices; 0 channels: none set
    size_t biasLength;
    bool markedInvalid;
    bool valid;
  } cases[] = {
      {16, 16, 16, 1, 1, 1, 0, false, true},
      {15, 100, 100, 1, 1, 1, 0, false, false},
      {-1, 100, 100, 1, 1, 1, 0, false, false},
      {16, 15, 100, 1, 1, 1, 0, false, false},
      {16, 100, 15, 1, 1, 1, 0, false, false},
      {16, 100, 100, 100, 100, 3, 0, false, true},
      {16, 100, 100, 101, 50, 1, 0, false, false},  // wider than the reference
      {16, 100, 100, 50, 101, 1, 0, false, false},  // higher than the reference
      {16, 100, 100, 10, 10, 0, 0, false, false},   // no matrices
      {16, 100, 100, 10, 10, 3, 3, false, true},
      {16, 64, 64, 0, 0, 0, 0, true, true},         // marked invalid: only the scale rule
      {16, 64, 64, 200, 200, 1, 0, true, true},
      {8, 64, 64, 0, 0, 0, 0, true, false},
      {16, 15, 64, 0, 0, 0, 0, true, false},
  };
  for (const Case& c : cases) {
    LocalNormalizationData d;
    d.SetNormalizationScale(c.scale);
    d.SetReferenceDimensions(c.refWidth, c.refHeight);
    if (c.channels > 0)
      d.SetLocalNormalizationParameters(Matrices(c.width, c.height, c.channels, 1),
                                        Matrices(c.width, c.height, c.channels, 0), DVector(c.biasLength, 0.5));
    d.MarkInvalid(c.markedInvalid);
    EXPECT_EQ(d.IsValid(), c.valid) << c.scale << " " << c.refWidth << "x" << c.refHeight << " " << c.width << "x"
                                    << c.height << "x" << c.channels << (c.markedInvalid ? " marked" : "");
    if (!c.valid) {
      EXPECT_THROW(d.Serialize(), Error);
    }
  }
}

}  // namespace
}  // namespace px
