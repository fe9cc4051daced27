// The XML header of a monolithic XISF file, parsed with expat into the raw
// attribute texts of each Image element and its FITS keywords.
#ifndef TRVX_HOSTAPP_XISF_XISFHEADER_H
#define TRVX_HOSTAPP_XISF_XISFHEADER_H

#include <cstddef>
#include <string>
#include <vector>

#include "hostapp/xisf/XisfTypes.h"

namespace hostapp::xisf {

inline constexpr char kXisfNamespace[] = "http://www.pixinsight.com/xisf";

// Attribute texts as written (UTF-8); an absent attribute is "".
struct ImageElement {
  std::string geometry, sampleFormat, colorSpace, pixelStorage, byteOrder;
  std::string location, compression, subblocks;
  std::string inlineText;        // character data directly inside the element
  bool hasData = false;          // a <Data> child was present
  std::string dataEncoding;      // its "encoding" attribute
  std::string dataText;          // its character data
  std::vector<FitsKeyword> keywords;  // converted with KeywordField, header order
};

// Parses `size` bytes of header XML. The root must be <xisf> in the XISF
// namespace; document type declarations are refused. Throws XisfError for
// malformed XML, with expat's reason and line.
std::vector<ImageElement> ParseHeader(const char* xml, size_t size);

}  // namespace hostapp::xisf

#endif
