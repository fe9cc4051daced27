// Source of a text node's content produced only while the document is
// written, so a large payload (the Base64 of a matrix channel) is encoded
// straight into the output instead of being held as text beside it.
#ifndef TRVX_XML_XMLTEXTGENERATOR_H
#define TRVX_XML_XMLTEXTGENERATOR_H

#include <cstddef>
#include <string>

namespace px {

// Implementations must produce the same 7-bit ASCII text on every call.
class XMLTextGenerator {
 public:
  virtual ~XMLTextGenerator();
  // Appends the text to `out`.
  virtual void Generate(std::string& out) const = 0;
  // The length of the text Generate() appends.
  virtual size_t Length() const = 0;
  // True when the text can hold none of the characters XML escapes (as
  // Base64 cannot), so the writer need not scan it.
  virtual bool IsEscapeFree() const { return false; }
};

}  // namespace px

#endif
