#include <gtest/gtest.h>

#include "core/IsoString.h"
#include "core/String.h"

namespace px {
namespace {

TEST(String, UTF8RoundTripKeepsEveryPlane) {
  // ASCII, Latin-1, BMP and a supplementary-plane character (surrogate pair).
  const std::string utf8 = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x94\xAD";
  String s = String::UTF8ToUTF16(utf8);
  ASSERT_EQ(s.Length(), 5u);
  EXPECT_EQ(s[1], u'\u00E9');
  EXPECT_EQ(s[2], u'\u20AC');
  EXPECT_EQ(s[3], 0xD83D);
  EXPECT_EQ(s[4], 0xDD2D);
  EXPECT_EQ(s.ToStdUTF8(), utf8);
}

TEST(String, MalformedUTF8BecomesReplacementCharacters) {
  struct Case {
    std::string in;
    std::u16string out;
  } cases[] = {
      {"\xC3", u"\uFFFD"},              // truncated sequence
      {"\xC0\xAF", u"\uFFFD\uFFFD"},    // overlong
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},  // encoded surrogate
      {"a\xFFz", u"a\uFFFDz"},
  };
  for (const Case& c : cases) EXPECT_EQ(String::UTF8ToUTF16(c.in).Str(), c.out) << c.in;
}

TEST(String, LoneSurrogateEncodesAsReplacement) {
  String s(std::u16string(1, char16_t(0xD800)));
  EXPECT_EQ(s.ToStdUTF8(), "\xEF\xBF\xBD");
}

TEST(String, WideningMapsBytesToLatin1CodeUnits) {
  IsoString iso("my\xACname");
  String s(iso);
  EXPECT_EQ(s[2], char16_t(0xAC));
  EXPECT_EQ(s.ToIsoString(), iso);
  EXPECT_EQ(String(u"\u20AC").ToIsoString(), IsoString("?"));
}

TEST(String, CopiesShareUntilWritten) {
  String a(u"target");
  String b = a;
  EXPECT_TRUE(a.SharesWith(b));
  char16_t* p = b.MutableData();
  ASSERT_NE(p, nullptr);
  p[0] = u'T';
  EXPECT_FALSE(a.SharesWith(b));
  EXPECT_EQ(a, String(u"target"));
  EXPECT_EQ(b, String(u"Target"));
}

TEST(String, EmptyStringHasNoWritableStorage) {
  String s;
  EXPECT_EQ(s.MutableData(), nullptr);
  s.SetLength(3);
  EXPECT_EQ(s.Length(), 3u);
  EXPECT_NE(s.MutableData(), nullptr);
  s.SetLength(0);
  EXPECT_TRUE(s.IsEmpty());
  EXPECT_EQ(s.MutableData(), nullptr);
}

TEST(String, TrimRemovesOnlyTabLineFeedCarriageReturnAndSpace) {
  EXPECT_EQ(String(u"\t\r\n a b \n").Trimmed(), String(u"a b"));
  EXPECT_EQ(String(u"\v a\f").Trimmed(), String(u"\v a\f"));
  EXPECT_EQ(IsoString(" \t").Trimmed(), IsoString());
}

TEST(String, ReplacedAllReplacesEveryOccurrence) {
  EXPECT_EQ(String(u"a&b&&c").ReplacedAll(u"&", u"&amp;"), String(u"a&amp;b&amp;&amp;c"));
  EXPECT_EQ(String(u"abc").ReplacedAll(u"x", u"y"), String(u"abc"));
}

}  // namespace
}  // namespace px
