// Base64 and hexadecimal text forms of data blocks held inside an XISF
// header (inline and embedded locations).
#ifndef TRVX_HOSTAPP_XISF_BINARYTEXT_H
#define TRVX_HOSTAPP_XISF_BINARYTEXT_H

#include <cstdint>
#include <string>
#include <vector>

namespace hostapp::xisf {

// Standard alphabet with "=" padding, no line breaks.
std::string EncodeBase64(const uint8_t* data, size_t size);
// Lower-case digits, no separators.
std::string EncodeHex(const uint8_t* data, size_t size);

// XML white space anywhere in the text is ignored. Throws XisfError on any
// other character outside the alphabet, a bad length or misplaced padding.
std::vector<uint8_t> DecodeBase64(const std::string& text);
std::vector<uint8_t> DecodeHex(const std::string& text);

}  // namespace hostapp::xisf

#endif
