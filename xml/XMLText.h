// A text node. Holds either 16-bit text, or 8-bit ASCII text such as a
// Base64 payload: a 64 MiB matrix channel gives about 85 MiB of Base64,
// which would double as UTF-16, so such payloads are kept as the bytes
// they are and written unchanged (escaping rules still apply).
#ifndef TRVX_XML_XMLTEXT_H
#define TRVX_XML_XMLTEXT_H

#include "core/IsoString.h"
#include "core/String.h"
#include "xml/XMLNode.h"

namespace px {

// Single-threaded. `preserveSpaces`: written exactly where it stands, with
// no indentation or line breaks around it. `verbatim`: written without
// character escaping.
class XMLText : public XMLNode {
 public:
  XMLText(const String& text, bool preserveSpaces = true, bool verbatim = false);
  // REQUIRES: `asciiText` holds only 7-bit characters (bytes are written to
  // the UTF-8 output as they are).
  XMLText(const IsoString& asciiText, bool preserveSpaces, bool verbatim);

  // The text, widened from ASCII when the node holds 8-bit text.
  String Text() const;
  bool IsASCII() const { return ascii_; }
  bool PreserveSpaces() const { return preserveSpaces_; }
  bool IsVerbatim() const { return verbatim_; }

  void Serialize(std::string& out, bool autoFormat, char indentChar, unsigned indentSize,
                 unsigned level) const override;
  // True exactly when this node does not preserve its spaces.
  bool NLAfter(const XMLNode& previous) const override;
  size_t SizeHint() const override;

 private:
  String text_;
  IsoString asciiText_;
  bool ascii_;
  bool preserveSpaces_;
  bool verbatim_;
};

}  // namespace px

#endif
