// An XML comment node.
#ifndef TRVX_XML_XMLCOMMENT_H
#define TRVX_XML_XMLCOMMENT_H

#include "core/String.h"
#include "xml/XMLNode.h"

namespace px {

// Single-threaded.
class XMLComment : public XMLNode {
 public:
  explicit XMLComment(const String& text) : XMLNode(XMLNodeType::Comment), text_(text) {}

  const String& Text() const { return text_; }

  // Writes `<!--`, the text without any "--" pair, and `->` when that text
  // ends with a hyphen (so no "--" precedes the closing '>'), else `-->`.
  // Line feeds in the text are kept.
  void Serialize(std::string& out, bool autoFormat, char indentChar, unsigned indentSize,
                 unsigned level) const override;
  size_t SizeHint() const override { return text_.Length() + 8; }

 private:
  String text_;
};

}  // namespace px

#endif
