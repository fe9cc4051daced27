// Conversions between the UTF-8 of an XISF header and the ISO 8859-1 bytes
// of FITS keyword fields.
#ifndef TRVX_HOSTAPP_XISF_LATIN1_H
#define TRVX_HOSTAPP_XISF_LATIN1_H

#include <cstddef>
#include <string>

namespace hostapp::xisf {

inline constexpr size_t kMaxKeywordFieldBytes = 256;

// Each character up to U+00FF becomes its byte; a character above it, and
// each byte of a malformed UTF-8 sequence, becomes "?".
std::string Utf8ToLatin1(const std::string& utf8);
// True when every character of `utf8` is at most U+00FF and well formed.
bool IsLatin1Representable(const std::string& utf8);
// Each byte becomes the character of the same code.
std::string Latin1ToUtf8(const std::string& latin1);
// A keyword field as the reader delivers it: converted to ISO 8859-1,
// trimmed of tab, LF, CR and space at both ends, cut to 256 bytes.
std::string KeywordField(const std::string& utf8);

}  // namespace hostapp::xisf

#endif
