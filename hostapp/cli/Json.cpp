#include "hostapp/cli/Json.h"

#include <cstdlib>

#include "hostapp/services/TextConversion.h"

namespace hostapp {

const JsonValue* JsonValue::Find(const std::string& key) const {
  for (auto& [k, v] : object)
    if (k == key) return &v;
  return nullptr;
}

namespace {

class Parser {
 public:
  explicit Parser(const std::string& text) : s_(text) {}

  JsonValue Document() {
    JsonValue v = Value(0);
    Space();
    if (p_ != s_.size()) Fail("unexpected text after the value");
    return v;
  }

 private:
  [[noreturn]] void Fail(const std::string& what) {
    throw JsonError("JSON error at byte " + std::to_string(p_) + ": " + what);
  }
  void Space() {
    while (p_ < s_.size() && (s_[p_] == ' ' || s_[p_] == '\t' || s_[p_] == '\n' || s_[p_] == '\r')) ++p_;
  }
  bool Literal(const char* word) {
    size_t n = std::char_traits<char>::length(word);
    if (s_.compare(p_, n, word) != 0) return false;
    p_ += n;
    return true;
  }

  JsonValue Value(int depth) {
    if (depth > 64) Fail("nesting too deep");
    Space();
    if (p_ >= s_.size()) Fail("unexpected end of text");
    JsonValue v;
    char c = s_[p_];
    if (c == '{') {
      v.kind = JsonValue::Kind::Object;
      ++p_;
      Space();
      if (p_ < s_.size() && s_[p_] == '}') return ++p_, v;
      for (;;) {
        Space();
        if (p_ >= s_.size() || s_[p_] != '"') Fail("expected a member name");
        std::string key = Str();
        Space();
        if (p_ >= s_.size() || s_[p_] != ':') Fail("expected ':'");
        ++p_;
        v.object.emplace_back(std::move(key), Value(depth + 1));
        Space();
        if (p_ < s_.size() && s_[p_] == ',') { ++p_; continue; }
        if (p_ < s_.size() && s_[p_] == '}') { ++p_; return v; }
        Fail("expected ',' or '}'");
      }
    }
    if (c == '[') {
      v.kind = JsonValue::Kind::Array;
      ++p_;
      Space();
      if (p_ < s_.size() && s_[p_] == ']') return ++p_, v;
      for (;;) {
        v.array.push_back(Value(depth + 1));
        Space();
        if (p_ < s_.size() && s_[p_] == ',') { ++p_; continue; }
        if (p_ < s_.size() && s_[p_] == ']') { ++p_; return v; }
        Fail("expected ',' or ']'");
      }
    }
    if (c == '"') {
      v.kind = JsonValue::Kind::String;
      v.string = Str();
      return v;
    }
    if (Literal("true")) return v.kind = JsonValue::Kind::Bool, v.boolean = true, v;
    if (Literal("false")) return v.kind = JsonValue::Kind::Bool, v;
    if (Literal("null")) return v;
    if (c == '-' || (c >= '0' && c <= '9')) {
      const char* begin = s_.c_str() + p_;
      char* end = nullptr;
      v.kind = JsonValue::Kind::Number;
      v.number = std::strtod(begin, &end);
      if (end == begin) Fail("bad number");
      p_ += size_t(end - begin);
      return v;
    }
    Fail("unexpected character");
  }

  unsigned Hex4() {
    if (p_ + 4 > s_.size()) Fail("short \\u escape");
    unsigned v = 0;
    for (int i = 0; i < 4; ++i) {
      char c = s_[p_++];
      v <<= 4;
      if (c >= '0' && c <= '9') v |= unsigned(c - '0');
      else if (c >= 'a' && c <= 'f') v |= unsigned(c - 'a' + 10);
      else if (c >= 'A' && c <= 'F') v |= unsigned(c - 'A' + 10);
      else Fail("bad \\u escape");
    }
    return v;
  }

  std::string Str() {
    ++p_;  // opening quote
    std::string out;
    for (;;) {
      if (p_ >= s_.size()) Fail("unterminated string");
      char c = s_[p_++];
      if (c == '"') return out;
      if (static_cast<unsigned char>(c) < 0x20) Fail("control character in string");
      if (c != '\\') { out += c; continue; }
      if (p_ >= s_.size()) Fail("unterminated escape");
      char e = s_[p_++];
      switch (e) {
        case '"': out += '"'; break;
        case '\\': out += '\\'; break;
        case '/': out += '/'; break;
        case 'b': out += '\b'; break;
        case 'f': out += '\f'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'u': {
          std::u16string units(1, char16_t(Hex4()));
          if (units[0] >= 0xD800 && units[0] <= 0xDBFF && s_.compare(p_, 2, "\\u") == 0) {
            p_ += 2;
            units += char16_t(Hex4());
            if (units[1] < 0xDC00 || units[1] > 0xDFFF) Fail("unpaired surrogate");
          } else if (units[0] >= 0xD800 && units[0] <= 0xDFFF) {
            Fail("unpaired surrogate");
          }
          out += Utf16ToUtf8(units);
          break;
        }
        default: Fail("bad escape");
      }
    }
  }

  const std::string& s_;
  size_t p_ = 0;
};

}  // namespace

JsonValue ParseJson(const std::string& text) { return Parser(text).Document(); }

}  // namespace hostapp
