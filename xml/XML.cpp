#include "xml/XML.h"

#include <cstdint>

namespace px {

namespace {

// Entity for an escapable code unit, or null.
inline const char* Entity(char32_t c, bool withApostrophe) {
  switch (c) {
    case '&': return "&amp;";
    case '"': return "&quot;";
    case '<': return "&lt;";
    case '>': return "&gt;";
    case '\'': return withApostrophe ? "&apos;" : nullptr;
    default: return nullptr;
  }
}

inline void PutUTF8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(char(c));
  } else if (c < 0x800) {
    char b[2] = {char(0xC0 | (c >> 6)), char(0x80 | (c & 0x3F))};
    out.append(b, 2);
  } else if (c < 0x10000) {
    char b[3] = {char(0xE0 | (c >> 12)), char(0x80 | ((c >> 6) & 0x3F)), char(0x80 | (c & 0x3F))};
    out.append(b, 3);
  } else {
    char b[4] = {char(0xF0 | (c >> 18)), char(0x80 | ((c >> 12) & 0x3F)), char(0x80 | ((c >> 6) & 0x3F)),
                 char(0x80 | (c & 0x3F))};
    out.append(b, 4);
  }
}

// Decodes the code point at text[i] and advances i.
inline char32_t NextCodePoint(std::u16string_view text, size_t& i) {
  char32_t c = text[i++];
  if (c >= 0xD800 && c <= 0xDBFF) {
    if (i < text.size() && text[i] >= 0xDC00 && text[i] <= 0xDFFF)
      return 0x10000 + ((c - 0xD800) << 10) + (char32_t(text[i++]) - 0xDC00);
    return 0xFFFD;
  }
  if (c >= 0xDC00 && c <= 0xDFFF) return 0xFFFD;
  return c;
}

}  // namespace

String XML::EncodedText(const String& text, bool withApostrophe) {
  std::u16string_view v = text.View();
  std::u16string out;
  out.reserve(v.size());
  for (char16_t c : v) {
    if (const char* e = Entity(c, withApostrophe))
      for (; *e; ++e) out.push_back(char16_t(*e));
    else
      out.push_back(c);
  }
  return String(std::move(out));
}

void XML::AppendUTF8(std::string& out, std::u16string_view text) {
  out.reserve(out.size() + text.size());
  for (size_t i = 0; i < text.size();) PutUTF8(out, NextCodePoint(text, i));
}

void XML::AppendEncodedUTF8(std::string& out, std::u16string_view text, bool withApostrophe) {
  out.reserve(out.size() + text.size());
  for (size_t i = 0; i < text.size();) {
    char32_t c = NextCodePoint(text, i);
    if (const char* e = Entity(c, withApostrophe))
      out.append(e);
    else
      PutUTF8(out, c);
  }
}

namespace {

// Bit 1: escaped always; bit 2: escaped with the apostrophe rule.
struct EscapeTable {
  uint8_t v[256] = {};
  constexpr EscapeTable() {
    v[uint8_t('&')] = v[uint8_t('"')] = v[uint8_t('<')] = v[uint8_t('>')] = 1;
    v[uint8_t('\'')] = 2;
  }
};
constexpr EscapeTable kEscapes;

}  // namespace

bool XML::NeedsEncoding(std::string_view text, bool withApostrophe) {
  const uint8_t mask = withApostrophe ? 3 : 1;
  for (char c : text)
    if (kEscapes.v[static_cast<unsigned char>(c)] & mask) return true;
  return false;
}

void XML::AppendEncoded(std::string& out, std::string_view text, bool withApostrophe) {
  // Table scan: Base64 payloads of tens of MiB hold nothing to escape and
  // end up as one bulk append.
  const uint8_t mask = withApostrophe ? 3 : 1;
  size_t run = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if ((kEscapes.v[static_cast<unsigned char>(text[i])] & mask) == 0) continue;
    const char* e = Entity(static_cast<unsigned char>(text[i]), withApostrophe);
    out.append(text.data() + run, i - run);
    out.append(e);
    run = i + 1;
  }
  out.append(text.data() + run, text.size() - run);
}

}  // namespace px
