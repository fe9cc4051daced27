#include <gtest/gtest.h>

#include <vector>

#include "compression/Compression.h"

namespace px {
namespace {

std::vector<uint8_t> Bytes(const ByteArray& a) { return std::vector<uint8_t>(a.begin(), a.end()); }

TEST(Shuffle, GroupsBytesByPositionWithinItem) {
  struct Case {
    std::vector<uint8_t> in;
    size_t itemSize;
    std::vector<uint8_t> out;
  } cases[] = {
      // Four-byte items: all first bytes, then all second bytes...
      {{0x00, 0x01, 0x02, 0x03, 0x10, 0x11, 0x12, 0x13}, 4, {0x00, 0x10, 0x01, 0x11, 0x02, 0x12, 0x03, 0x13}},
      // Ten bytes: the two trailing bytes follow the eight shuffled ones as they are.
      {{0x00, 0x01, 0x02, 0x03, 0x10, 0x11, 0x12, 0x13, 0xA0, 0xA1},
       4,
       {0x00, 0x10, 0x01, 0x11, 0x02, 0x12, 0x03, 0x13, 0xA0, 0xA1}},
      // Generic item size with a tail.
      {{1, 2, 3, 4, 5, 6, 7}, 3, {1, 4, 2, 5, 3, 6, 7}},
      {{1, 2, 3, 4, 5, 6}, 2, {1, 3, 5, 2, 4, 6}},
      // Item size above the data size: unchanged.
      {{1, 2, 3}, 4, {1, 2, 3}},
      // Item sizes 0 and 1: unchanged.
      {{9, 8, 7}, 1, {9, 8, 7}},
      {{9, 8, 7}, 0, {9, 8, 7}},
      // Exactly one item: unchanged.
      {{5, 6, 7, 8}, 4, {5, 6, 7, 8}},
  };
  for (const Case& c : cases) {
    ByteArray s = Compression::Shuffle(c.in.data(), c.in.size(), c.itemSize);
    EXPECT_EQ(Bytes(s), c.out) << "item size " << c.itemSize << ", " << c.in.size() << " bytes";
    ByteArray u = Compression::Unshuffle(s.Data(), s.Size(), c.itemSize);
    EXPECT_EQ(Bytes(u), c.in) << "item size " << c.itemSize << ", " << c.in.size() << " bytes";
  }
}

TEST(Shuffle, MatchesTheIndexFormulaForEveryLengthAndItemSize) {
  std::vector<uint8_t> in(67);
  for (size_t i = 0; i < in.size(); ++i) in[i] = uint8_t(i * 37 + 11);
  for (size_t n = 0; n <= in.size(); ++n)
    for (size_t s : {2u, 3u, 4u, 5u, 8u}) {
      ByteArray out = Compression::Shuffle(in.data(), n, s);
      ASSERT_EQ(out.Size(), n);
      if (s > n) {
        EXPECT_EQ(Bytes(out), std::vector<uint8_t>(in.begin(), in.begin() + n));
        continue;
      }
      size_t m = n / s;
      for (size_t j = 0; j < s; ++j)
        for (size_t k = 0; k < m; ++k) ASSERT_EQ(out[j * m + k], in[k * s + j]) << n << " " << s;
      for (size_t t = m * s; t < n; ++t) ASSERT_EQ(out[t], in[t]) << n << " " << s;
      EXPECT_EQ(Bytes(Compression::Unshuffle(out.Data(), n, s)), std::vector<uint8_t>(in.begin(), in.begin() + n));
    }
}

TEST(Shuffle, EmptyInputGivesEmptyOutput) {
  EXPECT_TRUE(Compression::Shuffle(nullptr, 0, 4).IsEmpty());
}

}  // namespace
}  // namespace px
