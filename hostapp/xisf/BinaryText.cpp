#include "hostapp/xisf/BinaryText.h"

#include "hostapp/xisf/XisfTypes.h"

namespace hostapp::xisf {
namespace {

constexpr char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

bool IsXmlSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

int Base64Value(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string WithoutSpace(const std::string& text) {
  std::string s;
  s.reserve(text.size());
  for (char c : text)
    if (!IsXmlSpace(c)) s.push_back(c);
  return s;
}

}  // namespace

std::string EncodeBase64(const uint8_t* data, size_t size) {
  std::string out;
  out.reserve((size + 2) / 3 * 4);
  size_t i = 0;
  for (; i + 3 <= size; i += 3) {
    uint32_t v = uint32_t(data[i]) << 16 | uint32_t(data[i + 1]) << 8 | data[i + 2];
    for (int shift : {18, 12, 6, 0}) out.push_back(kBase64[(v >> shift) & 63]);
  }
  if (size - i == 1) {
    uint32_t v = uint32_t(data[i]) << 16;
    out += {kBase64[(v >> 18) & 63], kBase64[(v >> 12) & 63], '=', '='};
  } else if (size - i == 2) {
    uint32_t v = uint32_t(data[i]) << 16 | uint32_t(data[i + 1]) << 8;
    out += {kBase64[(v >> 18) & 63], kBase64[(v >> 12) & 63], kBase64[(v >> 6) & 63], '='};
  }
  return out;
}

std::string EncodeHex(const uint8_t* data, size_t size) {
  static const char kDigits[] = "0123456789abcdef";
  std::string out;
  out.reserve(size * 2);
  for (size_t i = 0; i < size; ++i) {
    out.push_back(kDigits[data[i] >> 4]);
    out.push_back(kDigits[data[i] & 15]);
  }
  return out;
}

std::vector<uint8_t> DecodeBase64(const std::string& text) {
  const std::string s = WithoutSpace(text);
  for (size_t i = 0; i < s.size(); ++i)
    if (Base64Value(s[i]) < 0 && s[i] != '=')
      throw XisfError("invalid Base64 data (character " + std::to_string(i) + ")");
  if (s.size() % 4 != 0) throw XisfError("Base64 data length " + std::to_string(s.size()) + " is not a multiple of 4");
  size_t padding = 0;
  if (!s.empty() && s.back() == '=') padding = s[s.size() - 2] == '=' ? 2 : 1;
  std::vector<uint8_t> out;
  out.reserve(s.size() / 4 * 3);
  for (size_t i = 0; i < s.size(); i += 4) {
    bool last = i + 4 == s.size();
    uint32_t v = 0;
    for (size_t k = 0; k < 4; ++k) {
      char c = s[i + k];
      int d = Base64Value(c);
      if (d < 0) {
        if (c == '=' && last && k >= 4 - padding) d = 0;
        else throw XisfError("invalid Base64 data (character " + std::to_string(i + k) + ")");
      }
      v = v << 6 | uint32_t(d);
    }
    out.push_back(uint8_t(v >> 16));
    if (!last || padding < 2) out.push_back(uint8_t(v >> 8));
    if (!last || padding < 1) out.push_back(uint8_t(v));
  }
  return out;
}

std::vector<uint8_t> DecodeHex(const std::string& text) {
  const std::string s = WithoutSpace(text);
  if (s.size() % 2 != 0) throw XisfError("hexadecimal data has an odd number of digits");
  std::vector<uint8_t> out;
  out.reserve(s.size() / 2);
  for (size_t i = 0; i < s.size(); i += 2) {
    int hi = HexValue(s[i]), lo = HexValue(s[i + 1]);
    if (hi < 0 || lo < 0) throw XisfError("invalid hexadecimal data (digit " + std::to_string(i) + ")");
    out.push_back(uint8_t(hi << 4 | lo));
  }
  return out;
}

}  // namespace hostapp::xisf
