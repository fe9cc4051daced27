// 16-bit (UTF-16) string: paths, messages, names and texts sent to the host.
// Copies share storage until one of them is modified (copy on write, atomic
// reference counts). Converted to UTF-8 only at operating-system calls and in
// XML output.
#ifndef TRVX_CORE_STRING_H
#define TRVX_CORE_STRING_H

#include <cstddef>
#include <string>
#include <string_view>

#include "core/IsoString.h"
#include "core/SharedData.h"

namespace px {

class String {
 public:
  static constexpr size_t notFound = std::u16string::npos;

  String() = default;
  String(const char16_t* text) : String(std::u16string_view(text ? text : u"")) {}
  String(std::u16string_view text) {
    if (!text.empty()) data_ = SharedData<std::u16string>(std::u16string(text));
  }
  String(std::u16string text) {
    if (!text.empty()) data_ = SharedData<std::u16string>(std::move(text));
  }
  String(const char16_t* text, size_t length) : String(std::u16string_view(text, length)) {}
  // Widening of 8-bit text: each byte becomes the code unit of the same value
  // (ISO 8859-1). Use UTF8ToUTF16 for UTF-8 text.
  String(const char* latin1) : String(std::string_view(latin1 ? latin1 : "")) {}
  String(std::string_view latin1);
  String(const IsoString& latin1) : String(latin1.View()) {}

  static String UTF8ToUTF16(std::string_view utf8);
  // UTF-8 bytes of this string (unpaired surrogates become U+FFFD).
  IsoString ToUTF8() const;
  std::string ToStdUTF8() const { return ToUTF8().Str(); }
  // Narrowing to 8 bits: code units above 0xFF become '?'.
  IsoString ToIsoString() const;

  size_t Length() const { return Str().size(); }
  bool IsEmpty() const { return Str().empty(); }
  const char16_t* c_str() const { return Str().c_str(); }
  std::u16string_view View() const { return Str(); }
  const std::u16string& Str() const { return data_.Get(); }
  char16_t operator[](size_t i) const { return Str()[i]; }

  // First code unit, made unshared first, for the host to write through;
  // null when the string is empty.
  char16_t* MutableData() { return IsEmpty() ? nullptr : data_.Mutable().data(); }
  // Sets the length in code units; new code units are zero. 0 empties.
  void SetLength(size_t n) {
    if (n == 0)
      data_.Reset();
    else
      data_.Mutable().resize(n);
  }
  void Clear() { data_.Reset(); }
  bool IsShared() const { return data_.IsShared(); }
  bool SharesWith(const String& other) const { return data_.SharesWith(other.data_); }

  String& Append(std::u16string_view s) {
    if (!s.empty()) data_.Mutable().append(s);
    return *this;
  }
  String& Append(char16_t c) {
    data_.Mutable().push_back(c);
    return *this;
  }
  String& operator+=(const String& s) { return Append(s.View()); }
  String& operator+=(std::u16string_view s) { return Append(s); }
  String& operator+=(const char* latin1) { return Append(String(latin1).View()); }
  String& operator+=(char16_t c) { return Append(c); }

  String Substring(size_t pos, size_t n = notFound) const;
  String Left(size_t n) const { return Substring(0, n); }
  size_t Find(char16_t c, size_t from = 0) const { return Str().find(c, from); }
  size_t Find(std::u16string_view s, size_t from = 0) const { return Str().find(s, from); }
  size_t FindLast(char16_t c) const { return Str().rfind(c); }
  bool StartsWith(std::u16string_view s) const { return View().starts_with(s); }
  bool EndsWith(std::u16string_view s) const { return View().ends_with(s); }
  bool EndsWith(char16_t c) const { return !IsEmpty() && Str().back() == c; }

  // Copy without leading and trailing tab, line feed, carriage return and space.
  String Trimmed() const;
  // Every occurrence of `from` replaced by `to`.
  String ReplacedAll(std::u16string_view from, std::u16string_view to) const;

  friend bool operator==(const String& a, const String& b) { return a.View() == b.View(); }
  friend bool operator==(const String& a, const char16_t* b) { return a.View() == std::u16string_view(b); }
  friend bool operator<(const String& a, const String& b) { return a.View() < b.View(); }
  friend String operator+(String a, const String& b) { return a.Append(b.View()); }
  friend String operator+(String a, const char16_t* b) { return a.Append(std::u16string_view(b)); }
  friend String operator+(String a, const char* b) { return a += b; }
  friend String operator+(const char* a, const String& b) { return String(a) += b; }
  friend String operator+(const char16_t* a, const String& b) { return String(a) += b; }

 private:
  SharedData<std::u16string> data_;
};

}  // namespace px

#endif
