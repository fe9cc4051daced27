#include "xml/XMLText.h"

#include "xml/XML.h"

namespace px {

XMLText::XMLText(const String& text, bool preserveSpaces, bool verbatim)
    : XMLNode(XMLNodeType::Text), text_(text), ascii_(false), preserveSpaces_(preserveSpaces), verbatim_(verbatim) {}

XMLText::XMLText(const IsoString& asciiText, bool preserveSpaces, bool verbatim)
    : XMLNode(XMLNodeType::Text),
      asciiText_(asciiText),
      ascii_(true),
      preserveSpaces_(preserveSpaces),
      verbatim_(verbatim) {}

String XMLText::Text() const { return ascii_ ? String(asciiText_) : text_; }

void XMLText::Serialize(std::string& out, bool autoFormat, char indentChar, unsigned indentSize,
                        unsigned level) const {
  if (autoFormat && indentSize > 0 && !preserveSpaces_) Indent(out, indentChar, indentSize, level);
  if (ascii_) {
    if (verbatim_)
      out.append(asciiText_.View());
    else
      XML::AppendEncoded(out, asciiText_.View(), true);
  } else {
    if (verbatim_)
      XML::AppendUTF8(out, text_.View());
    else
      XML::AppendEncodedUTF8(out, text_.View(), true);
  }
}

bool XMLText::NLAfter(const XMLNode&) const { return !preserveSpaces_; }

size_t XMLText::SizeHint() const { return ascii_ ? asciiText_.Length() : text_.Length(); }

}  // namespace px
