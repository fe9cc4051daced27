#include <gtest/gtest.h>

#include <clocale>

#include "core/IsoString.h"

namespace px {
namespace {

TEST(IsoString, TryToDoubleAcceptsWhatStrtodConsumesWhole) {
  struct Case {
    const char* text;
    bool ok;
    double value;
  } cases[] = {
      {"1024", true, 1024},       {" 4095.9 ", true, 4095.9}, {"-2.5", true, -2.5},
      {"1.5e-3", true, 1.5e-3},   {"+.5", true, 0.5},         {"1024abc", false, 0},
      {"", false, 0},             {"  ", false, 0},           {"1e999", false, 0},
      {"0x10", true, 16},         {"1,5", false, 0},
  };
  for (const Case& c : cases) {
    double v = -7;
    EXPECT_EQ(IsoString(c.text).TryToDouble(v), c.ok) << c.text;
    EXPECT_EQ(v, c.ok ? c.value : -7) << c.text;
  }
}

TEST(IsoString, TryToDoubleIgnoresTheProcessLocale) {
  std::string saved = std::setlocale(LC_NUMERIC, nullptr);
  bool comma = false;
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"})
    if (std::setlocale(LC_NUMERIC, name) != nullptr) {
      comma = std::localeconv()->decimal_point[0] == ',';
      if (comma) break;
    }
  if (!comma) {
    std::setlocale(LC_NUMERIC, saved.c_str());
    GTEST_SKIP() << "no locale with a decimal comma is installed";
  }
  double v = 0;
  bool ok = IsoString("0.25").TryToDouble(v);
  std::setlocale(LC_NUMERIC, saved.c_str());
  EXPECT_TRUE(ok);
  EXPECT_EQ(v, 0.25);
}

TEST(IsoString, CopiesShareUntilWritten) {
  IsoString a("abc");
  IsoString b = a;
  b.MutableData()[0] = 'x';
  EXPECT_EQ(a, "abc");
  EXPECT_EQ(b, "xbc");
}

}  // namespace
}  // namespace px
