#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "compression/Base64.h"
#include "core/IsoString.h"

namespace px {
namespace {

// Independent decoder: rejects anything that is not canonical RFC 4648
// (wrong length, foreign characters, misplaced padding, non-zero pad bits).
bool Decode(std::string_view text, std::vector<uint8_t>& out) {
  auto value = [](char c) -> int {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
  };
  out.clear();
  if (text.size() % 4 != 0) return false;
  for (size_t i = 0; i < text.size(); i += 4) {
    bool last = i + 4 == text.size();
    int pads = (text[i + 3] == '=') + (text[i + 2] == '=');
    if (pads > 0 && !last) return false;
    if (text[i + 2] == '=' && text[i + 3] != '=') return false;
    int v[4];
    for (int k = 0; k < 4 - pads; ++k)
      if ((v[k] = value(text[i + k])) < 0) return false;
    for (int k = 4 - pads; k < 4; ++k) v[k] = 0;
    uint32_t w = uint32_t(v[0]) << 18 | uint32_t(v[1]) << 12 | uint32_t(v[2]) << 6 | uint32_t(v[3]);
    out.push_back(uint8_t(w >> 16));
    if (pads == 2 && (w & 0xFFFF) != 0) return false;
    if (pads < 2) out.push_back(uint8_t(w >> 8));
    if (pads == 1 && (w & 0xFF) != 0) return false;
    if (pads == 0) out.push_back(uint8_t(w));
  }
  return true;
}

TEST(Base64, KnownVectors) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"", ""},         {"f", "Zg=="},         {"fo", "Zm8="},         {"foo", "Zm9v"},
      {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"},
  };
  for (const Case& c : cases) EXPECT_EQ(IsoString::ToBase64(c.in, std::strlen(c.in)), c.out) << c.in;
  const uint8_t high[] = {0xFB, 0xFF, 0xBF};
  EXPECT_EQ(IsoString::ToBase64(high, 3), "+/+/");
  const float ones[] = {1.0f, 1.0f, 1.0f, 1.0f};
  EXPECT_EQ(IsoString::ToBase64(ones, sizeof ones), "AACAPwAAgD8AAIA/AACAPw==");
}

TEST(Base64, RoundTripsEveryLength) {
  std::mt19937 rng(7);
  std::vector<uint8_t> data(40000);
  for (auto& b : data) b = uint8_t(rng());
  std::vector<uint8_t> back;
  auto check = [&](size_t n) {
    IsoString text = IsoString::ToBase64(data.data(), n);
    ASSERT_EQ(text.Length(), (n + 2) / 3 * 4) << n;
    ASSERT_TRUE(Decode(text.View(), back)) << n;
    ASSERT_TRUE(std::equal(back.begin(), back.end(), data.begin(), data.begin() + n) && back.size() == n) << n;
  };
  for (size_t n = 0; n <= 300; ++n) check(n);
  // Around the encoder's internal chunk of 4096 groups.
  for (size_t n : {12287u, 12288u, 12289u, 12290u, 24576u, 24577u, 40000u}) check(n);
}

TEST(Base64, NullDataGivesEmptyText) { EXPECT_TRUE(IsoString::ToBase64(nullptr, 10).IsEmpty()); }

TEST(Base64, AppendBase64KeepsWhatIsThere) {
  std::string out = "<x>";
  AppendBase64(out, "foob", 4);
  EXPECT_EQ(out, "<x>Zm9vYg==");
  AppendBase64(out, nullptr, 3);
  EXPECT_EQ(out, "<x>Zm9vYg==");
  for (size_t n = 0; n < 10; ++n) EXPECT_EQ(Base64Length(n), IsoString::ToBase64("0123456789", n).Length()) << n;
}

}  // namespace
}  // namespace px
