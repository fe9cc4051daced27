// UTF-16 <-> UTF-8 conversion for texts crossing between the module (UTF-16)
// and the operating system, the terminal and log files (UTF-8).
#ifndef TRVX_HOSTAPP_SERVICES_TEXTCONVERSION_H
#define TRVX_HOSTAPP_SERVICES_TEXTCONVERSION_H

#include <string>
#include <string_view>

namespace hostapp {

// Unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// Malformed sequences become U+FFFD, one per offending byte.
std::u16string Utf8ToUtf16(std::string_view text);

// Length of a NUL-terminated UTF-16 text; 0 for null.
size_t Utf16Length(const char16_t* text);

}  // namespace hostapp

#endif
