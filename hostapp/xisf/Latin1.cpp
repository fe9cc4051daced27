#include "hostapp/xisf/Latin1.h"

#include <algorithm>
#include <cstdint>

namespace hostapp::xisf {
namespace {

// Decodes one UTF-8 character at `i`; returns false (and advances by one
// byte) on a malformed, overlong or surrogate sequence.
bool NextCodePoint(const std::string& s, size_t& i, uint32_t& cp) {
  const auto byte = [&](size_t k) { return uint8_t(s[k]); };
  uint8_t b0 = byte(i);
  size_t length;
  uint32_t min;
  if (b0 < 0x80) {
    cp = b0;
    ++i;
    return true;
  } else if ((b0 & 0xE0) == 0xC0) {
    length = 2, cp = b0 & 0x1F, min = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    length = 3, cp = b0 & 0x0F, min = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    length = 4, cp = b0 & 0x07, min = 0x10000;
  } else {
    ++i;
    return false;
  }
  if (i + length > s.size()) {
    ++i;
    return false;
  }
  for (size_t k = 1; k < length; ++k) {
    uint8_t b = byte(i + k);
    if ((b & 0xC0) != 0x80) {
      ++i;
      return false;
    }
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++i;
    return false;
  }
  i += length;
  return true;
}

bool IsTrimmed(char c) { return c == '\t' || c == '\n' || c == '\r' || c == ' '; }

}  // namespace

std::string Utf8ToLatin1(const std::string& utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    uint32_t cp = 0;
    bool ok = NextCodePoint(utf8, i, cp);
    out.push_back(ok && cp <= 0xFF ? char(uint8_t(cp)) : '?');
  }
  return out;
}

bool IsLatin1Representable(const std::string& utf8) {
  for (size_t i = 0; i < utf8.size();) {
    uint32_t cp = 0;
    if (!NextCodePoint(utf8, i, cp) || cp > 0xFF) return false;
  }
  return true;
}

std::string Latin1ToUtf8(const std::string& latin1) {
  std::string out;
  out.reserve(latin1.size());
  for (char c : latin1) {
    uint8_t b = uint8_t(c);
    if (b < 0x80) {
      out.push_back(c);
    } else {
      out.push_back(char(0xC0 | (b >> 6)));
      out.push_back(char(0x80 | (b & 0x3F)));
    }
  }
  return out;
}

std::string KeywordField(const std::string& utf8) {
  std::string s = Utf8ToLatin1(utf8);
  size_t begin = 0, end = s.size();
  while (begin < end && IsTrimmed(s[begin])) ++begin;
  while (end > begin && IsTrimmed(s[end - 1])) --end;
  return s.substr(begin, std::min(end - begin, kMaxKeywordFieldBytes));
}

}  // namespace hostapp::xisf
