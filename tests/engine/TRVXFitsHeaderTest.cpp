#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>

#include "engine/TRVXFitsHeader.h"

using px::FITSHeaderKeyword;
using px::FITSKeywordArray;
using px::IsoString;
using px::TRVXFitsHeader;

namespace {

FITSKeywordArray Header(std::initializer_list<std::pair<const char*, const char*>> records) {
  FITSKeywordArray k;
  k.push_back(FITSHeaderKeyword("SIMPLE", "T"));
  for (auto& r : records) k.push_back(FITSHeaderKeyword(r.first, r.second, "comment"));
  return k;
}

TEST(TRVXFitsHeader, ToDoubleValue) {
  const struct {
    const char* value;
    bool ok;
    double expected;  // NAN: out-parameter must keep its previous value (7)
  } cases[] = {
      {"4095.9", true, 4095.9},
      {"-2.5", true, -2.5},
      {"+3", true, 3},
      {".5", true, 0.5},
      {"1.5e-3", true, 1.5e-3},
      {"'1024'", true, 1024},
      {"' 12.5 '", true, 12.5},
      {"'0x10'", true, 16},  // whatever strtod accepts
      {"1024abc", false, 0},  // unquoted numeric-looking failure resets to 0
      {"-", false, 0},
      {"1e999", false, 0},  // range error
      {"", false, NAN},
      {"T", false, NAN},
      {"inf", false, NAN},
      {"nan", false, NAN},
      {"'abc'", false, NAN},
      {"''", false, NAN},
      {"'1024", true, 1024},  // opening quote only
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    FITSHeaderKeyword k("TRVWIDTH", c.value);
    double v = 7;
    EXPECT_EQ(TRVXFitsHeader::ToDoubleValue(k, v), c.ok);
    if (std::isnan(c.expected))
      EXPECT_EQ(v, 7);
    else
      EXPECT_DOUBLE_EQ(v, c.expected);
  }
  // A value of blanks only: record fields are trimmed when built, so set it raw.
  FITSHeaderKeyword blanks;
  blanks.value = IsoString("   ");
  double v = 7;
  EXPECT_FALSE(TRVXFitsHeader::ToDoubleValue(blanks, v));
  EXPECT_EQ(v, 7);
}

TEST(TRVXFitsHeader, NumbersUseThePointWhateverTheLocale) {
  const char* previous = std::setlocale(LC_NUMERIC, nullptr);
  std::string saved = previous ? previous : "C";
  bool haveComma = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") || std::setlocale(LC_NUMERIC, "de_DE.utf8") ||
                   std::setlocale(LC_NUMERIC, "fr_FR.UTF-8");
  double v = 0;
  EXPECT_TRUE(TRVXFitsHeader::ToDoubleValue(FITSHeaderKeyword("TRVS0", "0.25"), v));
  EXPECT_EQ(v, 0.25);
  if (haveComma) {
    EXPECT_FALSE(TRVXFitsHeader::ToDoubleValue(FITSHeaderKeyword("TRVS0", "0,25"), v));
  }
  std::setlocale(LC_NUMERIC, saved.c_str());
  if (!haveComma) GTEST_SKIP() << "no comma-decimal locale installed; only the C-locale row ran";
}

TEST(TRVXFitsHeader, ReferenceFlag) {
  const struct {
    const char* value;  // null: no TRVISREF record
    bool found;
    bool flag;
  } cases[] = {
      {"'true'", true, true}, {"true", true, true},    {"'TRUE'", true, false}, {"T", true, false},
      {"1", true, false},     {"'false'", true, false}, {"''", true, false},    {nullptr, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value ? c.value : "(none)");
    FITSKeywordArray k = c.value ? Header({{"TRVISREF", c.value}}) : Header({{"TRVISREFX", "'true'"}});
    bool flag = true;
    EXPECT_EQ(TRVXFitsHeader::getIsReference(k, flag), c.found);
    EXPECT_EQ(flag, c.flag);
  }
  // The first record counts.
  bool flag = false;
  EXPECT_TRUE(TRVXFitsHeader::getIsReference(Header({{"TRVISREF", "'false'"}, {"TRVISREF", "'true'"}}), flag));
  EXPECT_FALSE(flag);
}

TEST(TRVXFitsHeader, Integers) {
  const struct {
    const char* value;
    bool ok;
    int expected;
  } cases[] = {
      {"4095.9", true, 4095}, {"-2.5", true, -2}, {"'1024'", true, 1024}, {"1024abc", false, 99},
      {"''", false, 99},      {"x", false, 99},   {"3e9", true, 2147483647}, {"-3e9", true, -2147483647 - 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    FITSKeywordArray k = Header({{"TRVWIDTH", c.value}, {"TRVHIGHT", c.value}, {"TRVRESIZ", c.value}});
    int w = 99, h = 99, r = 99;
    EXPECT_EQ(TRVXFitsHeader::getWidth(k, w), c.ok);
    EXPECT_EQ(TRVXFitsHeader::getHeight(k, h), c.ok);
    EXPECT_EQ(TRVXFitsHeader::getResize(k, r), c.ok);
    EXPECT_EQ(w, c.expected);
    EXPECT_EQ(h, c.expected);
    EXPECT_EQ(r, c.expected);
  }
  int w = 99;
  // An unparseable first record is not rescued by a valid later one.
  EXPECT_FALSE(TRVXFitsHeader::getWidth(Header({{"TRVWIDTH", "abc"}, {"TRVWIDTH", "100"}}), w));
  EXPECT_EQ(w, 99);
  // Names match exactly: the spelled-out HEIGHT, lower case or a longer name are not found.
  EXPECT_FALSE(TRVXFitsHeader::getHeight(Header({{"TRVHEIGHT", "100"}}), w));
  EXPECT_FALSE(TRVXFitsHeader::getWidth(Header({{"trvwidth", "100"}, {"TRVWIDTH1", "100"}}), w));
  EXPECT_EQ(w, 99);
}

TEST(TRVXFitsHeader, Postfixes) {
  IsoString p("old"), w("old");
  FITSKeywordArray k = Header({{"TRVWSTRX", "'wrong'"}, {"TRVPSTFX", "'_n '"}, {"TRVWSTR", "'_w'"}});
  EXPECT_TRUE(TRVXFitsHeader::getPostfix(k, p));
  EXPECT_TRUE(TRVXFitsHeader::getWeightPostfix(k, w));
  EXPECT_EQ(p, "_n");
  EXPECT_EQ(w, "_w");

  FITSKeywordArray empty = Header({{"TRVPSTFX", "''"}, {"TRVWSTR", "'"}});
  EXPECT_TRUE(TRVXFitsHeader::getPostfix(empty, p));
  EXPECT_TRUE(TRVXFitsHeader::getWeightPostfix(empty, w));
  EXPECT_EQ(p, "");
  EXPECT_EQ(w, "");

  IsoString untouched("keep");
  EXPECT_FALSE(TRVXFitsHeader::getWeightPostfix(Header({{"TRVWSTRX", "'_w'"}}), untouched));
  EXPECT_FALSE(TRVXFitsHeader::getPostfix(Header({}), untouched));
  EXPECT_EQ(untouched, "keep");
}

TEST(TRVXFitsHeader, PerChannelValues) {
  using List = TRVXFitsHeader::ValueList;
  const struct {
    FITSKeywordArray header;
    bool ok;
    List values;
  } cases[] = {
      {Header({{"TRVS0", "2"}}), true, {2}},
      {Header({{"TRVS0", "2"}, {"TRVS1", "3"}, {"TRVS2", "'4'"}}), true, {2, 3, 4}},
      {Header({{"TRVS2", "4"}, {"TRVS1", "3"}, {"TRVS0", "2"}}), true, {2, 3, 4}},  // order in the header does not matter
      {Header({{"TRVS0", "2"}, {"TRVS1", "3"}, {"TRVS2", "4"}, {"TRVS3", "5"}}), true, {2, 3, 4}},
      {Header({{"TRVS0", "2"}, {"TRVS2", "4"}}), true, {2}},  // a gap ends the list
      {Header({{"TRVS1", "3"}, {"TRVS2", "4"}}), false, {}},
      {Header({{"TRVS0", "2"}, {"TRVS1", "x"}}), false, {2}},
      {Header({{"trvs0", "2"}}), false, {}},
      {Header({{"TRVS0", "2"}, {"TRVS0", "9"}}), true, {2}},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    List v;
    EXPECT_EQ(TRVXFitsHeader::getScale(cases[i].header, v), cases[i].ok);
    EXPECT_EQ(v, cases[i].values);
  }
  // getBias reads TRVPLUSn, and lists are appended to, not cleared.
  List bias{9};
  EXPECT_TRUE(TRVXFitsHeader::getBias(Header({{"TRVPLUS0", "0.25"}, {"TRVS0", "7"}}), bias));
  EXPECT_EQ(bias, (List{9, 0.25}));
  // Already non-empty: success even with nothing found.
  List prefilled{1};
  EXPECT_TRUE(TRVXFitsHeader::getTripleValue(Header({}), "TRVS", prefilled));
}

TEST(TRVXFitsHeader, FileNamesFromPieces) {
  const struct {
    FITSKeywordArray header;
    bool ok;
    const char* name;
  } cases[] = {
      {Header({{"TRVREF0", "'/data/my\xAC'"}, {"TRVREF1", "'frame.xisf'"}}), true, "/data/my frame.xisf"},
      {Header({{"TRVREF0", "'/data/my '"}, {"TRVREF1", "'frame.xisf'"}}), true, "/data/myframe.xisf"},
      {Header({{"TRVREF0", "'\xAC/a'"}}), true, " /a"},
      {Header({{"TRVREF1", "'frame.xisf'"}}), false, ""},
      {Header({{"TRVREF0", "'/a'"}, {"TRVREF1", "''"}, {"TRVREF2", "'/b'"}}), true, "/a/b"},
      {Header({{"TRVREF0", "'/a'"}, {"TRVREF2", "'/b'"}}), true, "/a"},
      {Header({{"TRVREF0", "''"}}), false, ""},
      {Header({{"TRVREF0", "/plain/it's"}}), true, "/plain/it's"},
      {Header({{"TRVREF0", "'it''s'"}}), true, "it''s"},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    IsoString name("stale");
    EXPECT_EQ(TRVXFitsHeader::getRefFilename(cases[i].header, name), cases[i].ok);
    EXPECT_EQ(name, cases[i].name);  // cleared first
  }
  // Long runs: more than ten pieces, and the target prefix.
  FITSKeywordArray k;
  std::string expected;
  for (int n = 0; n < 12; ++n) {
    std::string piece = "p" + std::to_string(n);
    k.push_back(FITSHeaderKeyword(IsoString("TRVTGT" + std::to_string(n)), IsoString("'" + piece + "'")));
    expected += piece;
  }
  IsoString name;
  EXPECT_TRUE(TRVXFitsHeader::getTgtFilename(k, name));
  EXPECT_EQ(name.Str(), expected);
  EXPECT_FALSE(TRVXFitsHeader::getRefFilename(k, name));
}

}  // namespace
