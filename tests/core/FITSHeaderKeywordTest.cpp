#include <gtest/gtest.h>

#include "core/FITSHeaderKeyword.h"

namespace px {
namespace {

TEST(FITSHeaderKeyword, FieldsAreTrimmedWhenBuilt) {
  FITSHeaderKeyword k(" TRVS0\t", "\r 1.02 \n", "  scale ");
  EXPECT_EQ(k.name, "TRVS0");
  EXPECT_EQ(k.value, "1.02");
  EXPECT_EQ(k.comment, "scale");
}

TEST(FITSHeaderKeyword, StripValueDelimiters) {
  struct Case {
    const char* value;
    const char* stripped;
  } cases[] = {
      {"'true'", "true"},  {"'  _n  '", "_n"}, {"'", ""},          {"''", ""},
      {"'it''s'", "it''s"}, {"plain", "plain"}, {"'open", "open"}, {"tail'", "tail'"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FITSHeaderKeyword("K", c.value).StripValueDelimiters(), c.stripped) << c.value;
}

}  // namespace
}  // namespace px
