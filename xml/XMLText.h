// A text node. Holds 16-bit text; or 8-bit ASCII text, kept as the bytes it
// is, for payloads that would double in size as UTF-16 (a 64 MiB matrix
// channel gives about 85 MiB of Base64); or a generator that writes ASCII
// text during serialisation, so that such a payload never exists twice.
// All three forms produce the same output for the same text, escaping
// included.
#ifndef TRVX_XML_XMLTEXT_H
#define TRVX_XML_XMLTEXT_H

#include <memory>

#include "core/IsoString.h"
#include "core/String.h"
#include "xml/XMLNode.h"
#include "xml/XMLTextGenerator.h"

namespace px {

// Single-threaded. `preserveSpaces`: written exactly where it stands, with
// no indentation or line breaks around it. `verbatim`: written without
// character escaping.
class XMLText : public XMLNode {
 public:
  XMLText(const String& text, bool preserveSpaces = true, bool verbatim = false);
  // Latin-1 text, held as 16-bit text.
  XMLText(const char* text, bool preserveSpaces = true, bool verbatim = false)
      : XMLText(String(text), preserveSpaces, verbatim) {}
  // REQUIRES: `asciiText` holds only 7-bit characters (bytes are written to
  // the UTF-8 output as they are).
  XMLText(const IsoString& asciiText, bool preserveSpaces, bool verbatim);
  // Text produced by `generator` each time the node is serialised.
  // REQUIRES: generator != null.
  XMLText(std::unique_ptr<const XMLTextGenerator> generator, bool preserveSpaces, bool verbatim);

  // The text (widened from ASCII, or generated, when not held as 16 bits).
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
  std::unique_ptr<const XMLTextGenerator> generator_;
  bool ascii_;
  bool preserveSpaces_;
  bool verbatim_;
};

}  // namespace px

#endif
