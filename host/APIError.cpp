#include "host/APIError.h"

#include <cstdio>
#include <vector>

#include "host/APIInterface.h"

namespace px {

APIError::APIError(const String& message) : Error(message) {
  if (API != nullptr) code_ = API->Global.LastError();
}

String APIError::FormatInfo() const {
  String info = Exception::FormatInfo();
  if (code_ == 0) return info;
  char hex[32];
  if (info.IsEmpty()) {
    std::snprintf(hex, sizeof(hex), "API error code 0x%04x", code_);
    info = String(hex);
  } else {
    std::snprintf(hex, sizeof(hex), " (0x%04x)", code_);
    info += hex;
  }
  if (API != nullptr) {
    api_size length = 0;
    if (API->Global.ErrorMessage(code_, nullptr, &length) && length > 0) {
      std::vector<char16_t> buffer(length + 1, u'\0');
      if (API->Global.ErrorMessage(code_, buffer.data(), &length)) {
        String text(buffer.data());  // cut at the first NUL
        if (!text.IsEmpty()) info += String(": ") + text;
      }
    }
  }
  return info;
}

}  // namespace px
