// 8-bit byte string (ISO 8859-1 / UTF-8 / ASCII by context): FITS keyword
// fields, identifiers and hints sent to the host, XML output, Base64 text.
// Copies share storage until one of them is modified (copy on write).
#ifndef TRVX_CORE_ISOSTRING_H
#define TRVX_CORE_ISOSTRING_H

#include <cstddef>
#include <string>
#include <string_view>

#include "core/SharedData.h"

namespace px {

class IsoString {
 public:
  static constexpr size_t notFound = std::string::npos;

  IsoString() = default;
  IsoString(const char* text) : IsoString(std::string_view(text ? text : "")) {}
  IsoString(std::string_view text) {
    if (!text.empty()) data_ = SharedData<std::string>(std::string(text));
  }
  IsoString(std::string text) {
    if (!text.empty()) data_ = SharedData<std::string>(std::move(text));
  }
  IsoString(const char* text, size_t length) : IsoString(std::string_view(text, length)) {}

  size_t Length() const { return Str().size(); }
  bool IsEmpty() const { return Str().empty(); }
  const char* c_str() const { return Str().c_str(); }
  std::string_view View() const { return Str(); }
  const std::string& Str() const { return data_.Get(); }
  char operator[](size_t i) const { return Str()[i]; }

  // Writable characters, made unshared first; null when empty.
  char* MutableData() { return IsEmpty() ? nullptr : data_.Mutable().data(); }
  // Sets the length; new characters are zero.
  void SetLength(size_t n) { data_.Mutable().resize(n); }
  void Clear() { data_.Reset(); }
  void Reserve(size_t n) { data_.Mutable().reserve(n); }

  IsoString& Append(std::string_view s) {
    if (!s.empty()) data_.Mutable().append(s);
    return *this;
  }
  IsoString& Append(char c) {
    data_.Mutable().push_back(c);
    return *this;
  }
  IsoString& operator+=(std::string_view s) { return Append(s); }
  IsoString& operator+=(const IsoString& s) { return Append(s.View()); }
  IsoString& operator+=(char c) { return Append(c); }

  IsoString Substring(size_t pos, size_t n = notFound) const;
  size_t Find(char c, size_t from = 0) const { return Str().find(c, from); }
  size_t FindLast(char c) const { return Str().rfind(c); }
  bool StartsWith(std::string_view s) const { return View().starts_with(s); }
  bool EndsWith(std::string_view s) const { return View().ends_with(s); }

  // Copy without leading and trailing tab, line feed, carriage return and space.
  IsoString Trimmed() const;

  // Parses the trimmed text as a double with strtod in the "C" locale,
  // whatever the process locale. Fails on an empty text, a range error or
  // unconsumed characters; `value` is left unchanged on failure.
  bool TryToDouble(double& value) const;

  // RFC 4648 Base64 of `size` bytes (standard alphabet, '=' padding, no line
  // breaks). Empty input gives an empty string.
  static IsoString ToBase64(const void* data, size_t size);

  friend bool operator==(const IsoString& a, const IsoString& b) { return a.View() == b.View(); }
  friend bool operator==(const IsoString& a, const char* b) { return a.View() == std::string_view(b); }
  friend bool operator<(const IsoString& a, const IsoString& b) { return a.View() < b.View(); }
  friend IsoString operator+(IsoString a, std::string_view b) { return a.Append(b); }
  friend IsoString operator+(IsoString a, const IsoString& b) { return a.Append(b.View()); }
  friend IsoString operator+(IsoString a, const char* b) { return a.Append(std::string_view(b)); }

 private:
  SharedData<std::string> data_;
};

// True for the characters the system trims: tab, line feed, carriage return, space.
inline bool IsTrimmable(char32_t c) { return c == '\t' || c == '\n' || c == '\r' || c == ' '; }

}  // namespace px

#endif
