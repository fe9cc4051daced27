#include <gtest/gtest.h>

#include "core/GenericImage.h"
#include "core/GenericVector.h"

namespace px {
namespace {

TEST(GenericImage, GeometryAndChannelsFollowTheColourSpace) {
  Image gray(4, 3);
  EXPECT_EQ(gray.NumberOfChannels(), 1);
  Image rgb(4, 3, ColorSpace::RGB);
  EXPECT_EQ(rgb.NumberOfChannels(), 3);
  EXPECT_EQ(rgb.NumberOfPixels(), 12u);
  Image alpha;
  alpha.AllocateData(2, 2, 4, ColorSpace::RGB);
  EXPECT_EQ(alpha.NumberOfNominalChannels(), 3);
  EXPECT_EQ(alpha.NumberOfAlphaChannels(), 1);
  Image empty(0, 5);
  EXPECT_TRUE(empty.IsEmpty());
  EXPECT_EQ(empty.PixelData(), nullptr);
}

TEST(GenericImage, FillCoversRectangleAndChannelRange) {
  Image img(3, 2, ColorSpace::RGB);
  img.Fill(0.0f);
  img.Fill(1.0f, Rect{1, 1, 3, 2}, 1, 1);
  for (int c = 0; c < 3; ++c)
    for (int i = 0; i < 6; ++i) {
      bool inside = c == 1 && i >= 4;
      EXPECT_EQ(img.PixelData(c)[i], inside ? 1.0f : 0.0f) << c << ":" << i;
    }
}

TEST(GenericImage, CopyIsIsolatedAfterWrite) {
  Image a(2, 2);
  a.Fill(0.5f);
  Image b = a;
  EXPECT_TRUE(a.SharesWith(b));
  b.PixelData()[0] = 2.0f;
  EXPECT_FALSE(a.SharesWith(b));
  EXPECT_EQ(std::as_const(a).PixelData()[0], 0.5f);
}

TEST(GenericImage, UnrepresentableSizeIsRefused) {
  Image img;
  EXPECT_THROW(img.AllocateData(0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF, ColorSpace::Gray), std::bad_alloc);
  EXPECT_THROW(img.AllocateData(-1, 2, 1, ColorSpace::Gray), std::bad_alloc);
}

TEST(GenericVector, CopiesShareUntilWritten) {
  DVector a{1.0, 2.0};
  DVector b = a;
  b.At(0) = 5;
  EXPECT_EQ(a[0], 1.0);
  EXPECT_EQ(b[0], 5.0);
  EXPECT_TRUE(DVector().IsEmpty());
  EXPECT_EQ(DVector(3, 0.5).Length(), 3u);
}

}  // namespace
}  // namespace px
