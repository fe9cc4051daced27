#include "hostapp/services/TextConversion.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace hostapp {
namespace {

TEST(TextConversion, RoundTripsEveryEncodingLength) {
  const std::u16string text = u"a\u00e9\u0800\uffff\U0001F600\U0010FFFF";
  const std::string utf8 = "a\xc3\xa9\xe0\xa0\x80\xef\xbf\xbf\xf0\x9f\x98\x80\xf4\x8f\xbf\xbf";
  EXPECT_EQ(Utf16ToUtf8(text), utf8);
  EXPECT_EQ(Utf8ToUtf16(utf8), text);
}

TEST(TextConversion, MalformedInputBecomesReplacementCharacters) {
  struct Case {
    std::string utf8;
    std::u16string expected;
  };
  const std::vector<Case> cases = {
      {"a\xff" "b", u"a\ufffdb"},             // invalid lead byte
      {"\xc3", u"\ufffd"},                    // truncated sequence
      {"\xc3(", u"\ufffd("},                  // bad continuation
      {"\xc0\xaf", u"\ufffd\ufffd"},          // overlong "/"
      {"\xed\xa0\x80", u"\ufffd\ufffd\ufffd"},  // encoded surrogate
      {"\xf4\x90\x80\x80", u"\ufffd\ufffd\ufffd\ufffd"},  // beyond U+10FFFF
  };
  for (const Case& c : cases) EXPECT_EQ(Utf8ToUtf16(c.utf8), c.expected) << c.utf8;

  const char16_t lone[] = {u'x', 0xD800, u'y', 0xDC00, 0};
  EXPECT_EQ(Utf16ToUtf8(lone), "x\xef\xbf\xbdy\xef\xbf\xbd");
}

}  // namespace
}  // namespace hostapp
