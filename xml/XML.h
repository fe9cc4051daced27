// XML character escaping, and the UTF-8 output primitives the writer uses to
// append names, values and texts to the document's 8-bit buffer in one pass.
#ifndef TRVX_XML_XML_H
#define TRVX_XML_XML_H

#include <string>
#include <string_view>

#include "core/String.h"

namespace px {

class XML {
 public:
  // `text` with "&", the double quote, "<" and ">" replaced by "&amp;",
  // "&quot;", "&lt;", "&gt;", and "'" by "&apos;" when `withApostrophe` is
  // set. Entities produced are never escaped again.
  static String EncodedText(const String& text, bool withApostrophe = true);

  // Appends `text` to `out` as UTF-8 (unpaired surrogates become U+FFFD).
  static void AppendUTF8(std::string& out, std::u16string_view text);
  // Appends `text` to `out` as UTF-8, escaped as by EncodedText().
  static void AppendEncodedUTF8(std::string& out, std::u16string_view text, bool withApostrophe);
  // Appends 8-bit `text` to `out` byte for byte, escaped as by EncodedText().
  // Runs of bytes that need no escaping are appended in bulk.
  static void AppendEncoded(std::string& out, std::string_view text, bool withApostrophe);
  // Whether 8-bit `text` holds a character EncodedText() would replace.
  static bool NeedsEncoding(std::string_view text, bool withApostrophe);
};

}  // namespace px

#endif
