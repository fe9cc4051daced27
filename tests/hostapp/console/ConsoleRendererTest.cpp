#include "hostapp/console/ConsoleRenderer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace hostapp {
namespace {

struct Piece {
  std::u16string text;
  bool newline;
};

struct RenderCase {
  const char* what;
  std::vector<Piece> writes;
  bool keepColor;
  std::string prefix;
  std::string expected;
};

std::string RenderAll(const RenderCase& c) {
  ConsoleRenderer renderer(c.keepColor);
  renderer.SetProgressPrefix(c.prefix);
  std::string out;
  for (const Piece& p : c.writes) out += renderer.Render(p.text, p.newline);
  return out;
}

TEST(ConsoleRenderer, MarkupColourAndPrefixTable) {
  const std::vector<RenderCase> cases = {
      {"<end> is dropped", {{u"<end>abc", true}}, false, "", "abc\n"},
      {"<cbr> at the start of output breaks nothing", {{u"<cbr>x", true}}, false, "", "x\n"},
      {"<cbr> after text breaks the line", {{u"abc", false}, {u"<cbr>def", true}}, false, "", "abc\ndef\n"},
      {"<cbr> after a newline write breaks nothing", {{u"abc", true}, {u"<cbr>d", true}}, false, "",
       "abc\nd\n"},
      {"two <cbr> in a row give one break", {{u"a<cbr><cbr>b", false}}, false, "", "a\nb"},
      {"writing line of the conversion",
       {{u"Creating xnml for /d/xnml_a.xisf", true},
        {u"<end><cbr>Writing output file: <raw>/d/<a>.xnml</raw>", true}},
       false, "", "Creating xnml for /d/xnml_a.xisf\nWriting output file: /d/<a>.xnml\n"},
      {"tags inside <raw> are literal", {{u"x<raw><cbr><end><raw></raw>", true}}, false, "",
       "x<cbr><end><raw>\n"},
      {"<raw> carries over to the next write", {{u"<raw><end>", false}, {u"<cbr></raw><cbr>", false}},
       false, "", "<end><cbr>\n"},
      {"unknown tags are printed as written", {{u"<b>bold</b> a<b", false}}, false, "", "<b>bold</b> a<b"},
      {"a stray </raw> is dropped", {{u"a</raw>b", false}}, false, "", "ab"},
      {"colour kept on a terminal", {{u"\x1b[31mred\x1b[39m", true}}, true, "", "\x1b[31mred\x1b[39m\n"},
      {"colour stripped otherwise", {{u"\x1b[31mred\x1b[39m", true}}, false, "", "red\n"},
      {"colour stripped inside <raw> too", {{u"<raw>\x1b[35mw\x1b[39m</raw>", false}}, false, "", "w"},
      {"colour sequences do not leave the line start",
       {{u"\x1b[31m", false}, {u"<cbr>e\x1b[39m", true}}, false, "", "e\n"},
      {"progress prefix on the creating line",
       {{u"Creating xnml for /x.xisf", true}, {u"Writing output file: /x.xnml", true}}, false, "[3/120] ",
       "[3/120] Creating xnml for /x.xisf\nWriting output file: /x.xnml\n"},
      {"progress prefix only at the start of a line",
       {{u"a", false}, {u"Creating xnml for y", true}}, false, "[1/2] ", "aCreating xnml for y\n"},
      {"non-ASCII text becomes UTF-8", {{u"\u00e9\u20ac\U0001F600", true}}, false, "",
       "\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80\n"},
  };
  for (const RenderCase& c : cases) EXPECT_EQ(RenderAll(c), c.expected) << c.what;
}

TEST(ConsoleRenderer, TracksLineStartAcrossWrites) {
  ConsoleRenderer renderer;
  EXPECT_TRUE(renderer.AtLineStart());
  renderer.Render(u"abc", false);
  EXPECT_FALSE(renderer.AtLineStart());
  renderer.Render(u"", true);
  EXPECT_TRUE(renderer.AtLineStart());
  renderer.Render(u"x\n", false);
  EXPECT_TRUE(renderer.AtLineStart());
}

}  // namespace
}  // namespace hostapp
