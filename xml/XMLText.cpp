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

XMLText::XMLText(std::unique_ptr<const XMLTextGenerator> generator, bool preserveSpaces, bool verbatim)
    : XMLNode(XMLNodeType::Text),
      generator_(std::move(generator)),
      ascii_(true),
      preserveSpaces_(preserveSpaces),
      verbatim_(verbatim) {}

XMLTextGenerator::~XMLTextGenerator() = default;

String XMLText::Text() const {
  if (generator_) {
    std::string text;
    generator_->Generate(text);
    return String(std::string_view(text));
  }
  return ascii_ ? String(asciiText_) : text_;
}

void XMLText::Serialize(std::string& out, bool autoFormat, char indentChar, unsigned indentSize,
                        unsigned level) const {
  if (autoFormat && indentSize > 0 && !preserveSpaces_) Indent(out, indentChar, indentSize, level);
  if (generator_) {
    size_t start = out.size();
    generator_->Generate(out);
    if (!verbatim_ && !generator_->IsEscapeFree()) {
      // Escape in place only when the generated run needs it.
      std::string_view run(out.data() + start, out.size() - start);
      if (XML::NeedsEncoding(run, true)) {
        std::string raw(run);
        out.resize(start);
        XML::AppendEncoded(out, raw, true);
      }
    }
  } else if (ascii_) {
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

size_t XMLText::SizeHint() const {
  return generator_ ? generator_->Length() : ascii_ ? asciiText_.Length() : text_.Length();
}

}  // namespace px
