#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>

#include "core/Exception.h"
#include "xml/XMLComment.h"
#include "xml/XMLDocument.h"
#include "xml/XMLElement.h"
#include "xml/XML.h"
#include "xml/XMLText.h"
#include "xml/XMLTextGenerator.h"

namespace px {
namespace {

std::string Text(const XMLDocument& doc) { return doc.Serialize().Str(); }

// A small tree exercising every node kind:
// root > (a[x,y] > text "t"), (b > (c, comment)), d.
std::unique_ptr<XMLDocument> SampleDocument(bool autoFormat) {
  auto doc = std::make_unique<XMLDocument>();
  doc->SetXML("1.0", "UTF-8");
  doc->AddNode(new XMLComment("\nheader\n"));
  auto* root = new XMLElement("root");
  doc->SetRootElement(root);
  auto* a = new XMLElement(*root, "a");
  a->SetAttribute("x", "1");
  a->SetAttribute("y", "two");
  a->AddChildNode(new XMLText("t"));
  auto* b = new XMLElement(*root, "b");
  new XMLElement(*b, "c");
  b->AddChildNode(new XMLComment("note"));
  new XMLElement(*root, "d");
  doc->SetAutoFormatting(autoFormat);
  return doc;
}

TEST(XMLDocument, AutoFormattedOutputIndentsByLevel) {
  auto doc = SampleDocument(true);
  EXPECT_EQ(Text(*doc),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<!--\nheader\n-->\n"
            "<root>\n"
            "   <a x=\"1\" y=\"two\">t</a>\n"
            "   <b>\n"
            "      <c/>\n"
            "      <!--note-->\n"
            "   </b>\n"
            "   <d/>\n"
            "</root>\n");

  doc->SetIndentWithTabs(true);
  EXPECT_EQ(Text(*doc),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<!--\nheader\n-->\n"
            "<root>\n"
            "\t<a x=\"1\" y=\"two\">t</a>\n"
            "\t<b>\n"
            "\t\t<c/>\n"
            "\t\t<!--note-->\n"
            "\t</b>\n"
            "\t<d/>\n"
            "</root>\n");

  doc->SetIndentWithTabs(false);
  doc->SetIndentSize(0);
  EXPECT_EQ(Text(*doc),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<!--\nheader\n-->\n"
            "<root>\n<a x=\"1\" y=\"two\">t</a>\n<b>\n<c/>\n<!--note-->\n</b>\n<d/>\n</root>\n");
}

TEST(XMLDocument, WithoutAutoFormattingNothingSeparatesNodes) {
  EXPECT_EQ(Text(*SampleDocument(false)),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
            "<!--\nheader\n-->"
            "<root><a x=\"1\" y=\"two\">t</a><b><c/><!--note--></b><d/></root>");

  XMLDocument doc;
  doc.SetXML("1.0", "UTF-8");
  doc.AddNode(new XMLComment("c"));
  doc.SetRootElement(new XMLElement("root"));
  EXPECT_EQ(Text(doc), "<?xml version=\"1.0\" encoding=\"UTF-8\"?><!--c--><root/>");
}

TEST(XMLDocument, DeclarationAndDocType) {
  struct Case {
    const char* version;
    const char* encoding;
    bool standalone;
    const char* docName;
    const char* docDefinition;
    const char* expected;
  } cases[] = {
      {"1.0", "", false, "", "", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<r/>\n"},
      {"1.1", "ISO-8859-1", true, "", "",
       "<?xml version=\"1.1\" encoding=\"ISO-8859-1\" standalone=\"yes\"?>\n<r/>\n"},
      {"", "UTF-8", true, "", "", "<r/>\n"},
      {"", "", false, "r", "", "<!DOCTYPE r>\n<r/>\n"},
      {"1.0", "UTF-8", false, "r", "SYSTEM \"r.dtd\"",
       "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE r SYSTEM \"r.dtd\">\n<r/>\n"},
  };
  for (const Case& c : cases) {
    XMLDocument doc;
    doc.SetXML(c.version, c.encoding, c.standalone);
    doc.SetDocType(c.docName, c.docDefinition);
    doc.SetRootElement(new XMLElement("r"));
    doc.SetAutoFormatting(true);
    EXPECT_EQ(Text(doc), c.expected);
  }
  XMLDocument empty;
  EXPECT_EQ(Text(empty), "");
}

TEST(XMLDocument, TextLayoutDependsOnPreservedSpaces) {
  XMLDocument doc;
  auto* root = new XMLElement("r");
  doc.SetRootElement(root);
  auto* keep = new XMLElement(*root, "keep");
  keep->AddChildNode(new XMLText(String("  a b  "), true, false));
  auto* empty = new XMLElement(*root, "empty");
  empty->AddChildNode(new XMLText(String(""), true, false));
  auto* loose = new XMLElement(*root, "loose");
  loose->AddChildNode(new XMLText(String("x"), false, false));
  // An element after a preserved text stays on the text's line, and so does
  // everything below it; the parent's end tag still gets its own line,
  // since its last child is an element.
  auto* mixed = new XMLElement(*root, "mixed");
  mixed->AddChildNode(new XMLText(String("t"), true, false));
  auto* inner = new XMLElement(*mixed, "inner");
  new XMLElement(*inner, "leaf");
  doc.SetAutoFormatting(true);
  EXPECT_EQ(Text(doc),
            "<r>\n"
            "   <keep>  a b  </keep>\n"
            "   <empty></empty>\n"
            "   <loose>\n"
            "      x\n"
            "   </loose>\n"
            "   <mixed>t<inner><leaf/></inner>\n"
            "   </mixed>\n"
            "</r>\n");
}

TEST(XMLDocument, EscapingOfValuesAndTexts) {
  XMLDocument doc;
  auto* root = new XMLElement("r");
  doc.SetRootElement(root);
  root->SetAttribute("v", "a<b & \"c\" 'd' >");
  root->AddChildNode(new XMLText(String("a<b & \"c\" 'd' >"), true, false));
  auto* ascii = new XMLElement(*root, "ascii");
  ascii->AddChildNode(new XMLText(IsoString("a<b & \"c\" 'd' >"), true, false));
  auto* verbatim = new XMLElement(*root, "verbatim");
  verbatim->AddChildNode(new XMLText(String("<x>&'"), true, true));
  auto* verbatimAscii = new XMLElement(*root, "verbatimAscii");
  verbatimAscii->AddChildNode(new XMLText(IsoString("<x>&'"), true, true));
  EXPECT_EQ(Text(doc),
            "<r v=\"a&lt;b &amp; &quot;c&quot; 'd' &gt;\">"
            "a&lt;b &amp; &quot;c&quot; &apos;d&apos; &gt;"
            "<ascii>a&lt;b &amp; &quot;c&quot; &apos;d&apos; &gt;</ascii>"
            "<verbatim><x>&'</verbatim>"
            "<verbatimAscii><x>&'</verbatimAscii>"
            "</r>");
}

// Writes a fixed ASCII text and counts its calls.
class FixedGenerator : public XMLTextGenerator {
 public:
  FixedGenerator(std::string text, int* calls) : text_(std::move(text)), calls_(calls) {}
  void Generate(std::string& out) const override {
    ++*calls_;
    out += text_;
  }
  size_t Length() const override { return text_.size(); }

 private:
  std::string text_;
  int* calls_;
};

TEST(XMLDocument, GeneratedTextsAreWrittenLikeStoredTexts) {
  // The same texts stored as 16-bit, 8-bit and generated give the same
  // output, escaping included; a generator runs at each serialisation.
  for (const char* text : {"QUJD+/==", "a<b & \"c\" 'd'", ""}) {
    int calls = 0;
    XMLDocument doc;
    auto* root = new XMLElement("r");
    doc.SetRootElement(root);
    (new XMLElement(*root, "s"))->AddChildNode(new XMLText(String(text), true, false));
    (new XMLElement(*root, "i"))->AddChildNode(new XMLText(IsoString(text), true, false));
    auto* generated = new XMLText(std::make_unique<FixedGenerator>(text, &calls), true, false);
    (new XMLElement(*root, "g"))->AddChildNode(generated);
    (new XMLElement(*root, "v"))->AddChildNode(new XMLText(std::make_unique<FixedGenerator>(text, &calls), true, true));
    doc.SetAutoFormatting(true);
    std::string escaped = XML::EncodedText(String(text), true).ToStdUTF8();
    std::string expected = "<r>\n   <s>" + escaped + "</s>\n   <i>" + escaped + "</i>\n   <g>" + escaped +
                           "</g>\n   <v>" + text + "</v>\n</r>\n";
    EXPECT_EQ(Text(doc), expected);
    EXPECT_EQ(Text(doc), expected);
    EXPECT_EQ(calls, 4);
    EXPECT_EQ(generated->Text(), String(text));
  }
}

TEST(XMLDocument, NonASCIITextIsWrittenAsUTF8) {
  XMLDocument doc;
  auto* root = new XMLElement(u"r\u00E9");
  doc.SetRootElement(root);
  root->SetAttribute(u"n\u00E4me", u"\u00C5ngstr\u00F6m");
  // é, the euro sign, a supplementary character (U+1F600) and an unpaired
  // surrogate, which becomes U+FFFD.
  std::u16string text = u"/data/caf\u00E9/\u20AC";
  text += char16_t(0xD83D);
  text += char16_t(0xDE00);
  text += char16_t(0xD800);
  root->AddChildNode(new XMLText(String(text), true, false));
  root->AddChildNode(new XMLComment(u"\u00FC"));
  EXPECT_EQ(Text(doc),
            "<r\xC3\xA9 n\xC3\xA4me=\"\xC3\x85ngstr\xC3\xB6m\">"
            "/data/caf\xC3\xA9/\xE2\x82\xAC\xF0\x9F\x98\x80\xEF\xBF\xBD"
            "<!--\xC3\xBC--></r\xC3\xA9>");
}

TEST(XMLDocument, CommentsLoseDoubleHyphens) {
  struct Case {
    const char* text;
    const char* expected;
  } cases[] = {
      {"a--b-", "<!--ab-->"},   {"plain", "<!--plain-->"}, {"x-", "<!--x-->"},
      {"---", "<!---->"},       {"----", "<!---->"},       {"", "<!---->"},
      {"a-b", "<!--a-b-->"},    {"--a", "<!--a-->"},
  };
  for (const Case& c : cases) {
    XMLDocument doc;
    doc.AddNode(new XMLComment(c.text));
    EXPECT_EQ(Text(doc), c.expected) << c.text;
  }
}

TEST(XMLDocument, AttributesKeepFirstPositionAndSkipEmptyNames) {
  XMLAttributeList list;
  list.SetAttribute("b", "1");
  list.SetAttribute("a", "2");
  list.SetAttribute("", "ignored");
  list.SetAttribute("b", "3");
  list.SetAttribute("B", "4");
  XMLDocument doc;
  auto* root = new XMLElement("r", list);
  root->SetAttribute("a", "5");
  root->SetAttribute("", "x");
  doc.SetRootElement(root);
  EXPECT_EQ(Text(doc), "<r b=\"3\" a=\"5\" B=\"4\"/>");
}

TEST(XMLDocument, AddNodeAndSetRootElementRefuseMisplacedNodes) {
  XMLDocument doc;
  auto expectError = [](auto&& call, const char* message) {
    try {
      call();
      ADD_FAILURE() << "no error: " << message;
    } catch (const Error& e) {
      EXPECT_EQ(e.Message(), String(message));
    }
  };
  auto* root = new XMLElement("r");
  auto* child = new XMLElement(*root, "c");
  auto* comment = new XMLComment("x");

  expectError([&] { doc.AddNode(nullptr); }, "XMLDocument::AddNode(): Null pointer specified.");
  expectError([&] { doc.SetRootElement(nullptr); }, "XMLDocument::SetRootElement(): Null pointer specified.");
  expectError([&] { doc.SetRootElement(child); }, "XMLDocument::SetRootElement(): Child node specified.");
  expectError([&] { doc.AddNode(child); }, "XMLDocument::AddNode(): Child node specified.");

  doc.AddNode(comment);
  expectError([&] { doc.AddNode(comment); }, "XMLDocument::AddNode(): Child node specified.");
  expectError([&] { root->AddChildNode(comment); }, "XMLElement::AddChildNode(): Child node specified.");
  expectError([&] { root->AddChildNode(nullptr); }, "XMLElement::AddChildNode(): Null pointer specified.");

  doc.SetRootElement(root);
  EXPECT_EQ(doc.RootElement(), root);
  expectError([&] { doc.SetRootElement(root); }, "XMLDocument::SetRootElement(): Child node specified.");
  auto second = std::make_unique<XMLElement>("s");
  expectError([&] { doc.SetRootElement(second.get()); },
              "XMLDocument::SetRootElement(): Already have a document root element.");
  EXPECT_FALSE(second->IsAttached());
  EXPECT_EQ(Text(doc), "<!--x--><r><c/></r>");
}

TEST(XMLDocument, SerializeToFileWritesTheWholeText) {
  char dir[] = "/tmp/trvx_xml_XXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  std::string path = std::string(dir) + "/out.xml";
  { std::ofstream(path) << "previous content that is longer than the document"; }
  auto doc = SampleDocument(true);
  doc->SerializeToFile(String::UTF8ToUTF16(path));
  std::ifstream in(path, std::ios::binary);
  std::stringstream got;
  got << in.rdbuf();
  EXPECT_EQ(got.str(), Text(*doc));
  std::remove(path.c_str());
  rmdir(dir);
}

TEST(XML, EncodedText) {
  struct Case {
    const char16_t* in;
    bool apostrophe;
    const char16_t* out;
  } cases[] = {
      {u"a<b & \"c\"", false, u"a&lt;b &amp; &quot;c&quot;"},
      {u"it's", false, u"it's"},
      {u"it's", true, u"it&apos;s"},
      {u"&amp;", true, u"&amp;amp;"},
      {u"<>", true, u"&lt;&gt;"},
      {u"", true, u""},
      {u"\u00E9", true, u"\u00E9"},
  };
  for (const Case& c : cases) EXPECT_EQ(XML::EncodedText(c.in, c.apostrophe), String(c.out));
}

}  // namespace
}  // namespace px
