#include <gtest/gtest.h>

#include "hostapp/cli/Json.h"

namespace hostapp {
namespace {

TEST(Json, ParsesAnInstanceFile) {
  JsonValue v = ParseJson(R"({"targetItems": [["/a/xnml_1.xisf", ""], ["b\u00e9\ud83d\udd2d", "/o.xnml"]],
                              "outputDirectory": "/out", "overwriteExistingFiles": true,
                              "useWeightPostfix": false, "version": 5.0, "n": null})");
  ASSERT_EQ(v.kind, JsonValue::Kind::Object);
  const JsonValue* items = v.Find("targetItems");
  ASSERT_NE(items, nullptr);
  ASSERT_EQ(items->array.size(), 2u);
  EXPECT_EQ(items->array[1].array[0].string, "b\xC3\xA9\xF0\x9F\x94\xAD");
  EXPECT_EQ(v.Find("outputDirectory")->string, "/out");
  EXPECT_TRUE(v.Find("overwriteExistingFiles")->boolean);
  EXPECT_FALSE(v.Find("useWeightPostfix")->boolean);
  EXPECT_EQ(v.Find("version")->number, 5.0);
  EXPECT_EQ(v.Find("n")->kind, JsonValue::Kind::Null);
  EXPECT_EQ(v.Find("missing"), nullptr);
}

TEST(Json, RejectsMalformedText) {
  for (const char* bad : {"", "{", "[1,]", "{\"a\" 1}", "\"\\x\"", "\"\\ud800\"", "tru", "{} x", "\"a\nb\""})
    EXPECT_THROW(ParseJson(bad), JsonError) << bad;
}

}  // namespace
}  // namespace hostapp
