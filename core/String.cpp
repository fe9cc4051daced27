#include "core/String.h"

namespace px {

String::String(std::string_view latin1) {
  if (latin1.empty()) return;
  std::u16string s(latin1.size(), u'\0');
  for (size_t i = 0; i < latin1.size(); ++i) s[i] = static_cast<unsigned char>(latin1[i]);
  data_ = SharedData<std::u16string>(std::move(s));
}

String String::UTF8ToUTF16(std::string_view in) {
  std::u16string out;
  out.reserve(in.size());
  size_t i = 0, n = in.size();
  auto byte = [&](size_t k) { return static_cast<unsigned char>(in[k]); };
  while (i < n) {
    unsigned char c = byte(i);
    char32_t cp = 0xFFFD;
    size_t len = 1;
    if (c < 0x80) {
      cp = c;
    } else {
      size_t need = (c >= 0xF0 && c <= 0xF4) ? 4 : (c >= 0xE0) ? 3 : (c >= 0xC2 && c < 0xE0) ? 2 : 0;
      if (need != 0 && c < 0xF5 && i + need <= n) {
        char32_t v = c & (need == 2 ? 0x1F : need == 3 ? 0x0F : 0x07);
        bool ok = true;
        for (size_t k = 1; k < need; ++k) {
          unsigned char cc = byte(i + k);
          if ((cc & 0xC0) != 0x80) { ok = false; break; }
          v = (v << 6) | (cc & 0x3F);
        }
        bool overlong = (need == 3 && v < 0x800) || (need == 4 && v < 0x10000);
        if (ok && !overlong && v <= 0x10FFFF && !(v >= 0xD800 && v <= 0xDFFF)) {
          cp = v;
          len = need;
        }
      }
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
    i += len;
  }
  return String(std::move(out));
}

IsoString String::ToUTF8() const {
  const std::u16string& s = Str();
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    char32_t cp = s[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;
    }
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return IsoString(std::move(out));
}

IsoString String::ToIsoString() const {
  const std::u16string& s = Str();
  std::string out(s.size(), '\0');
  for (size_t i = 0; i < s.size(); ++i) out[i] = s[i] > 0xFF ? '?' : static_cast<char>(s[i]);
  return IsoString(std::move(out));
}

String String::Substring(size_t pos, size_t n) const {
  if (pos >= Length()) return String();
  return String(View().substr(pos, n));
}

String String::Trimmed() const {
  std::u16string_view v = View();
  size_t b = 0, e = v.size();
  while (b < e && IsTrimmable(v[b])) ++b;
  while (e > b && IsTrimmable(v[e - 1])) --e;
  if (b == 0 && e == v.size()) return *this;
  return String(v.substr(b, e - b));
}

String String::ReplacedAll(std::u16string_view from, std::u16string_view to) const {
  if (from.empty() || Find(from) == notFound) return *this;
  std::u16string out;
  std::u16string_view v = View();
  size_t pos = 0;
  for (size_t hit; (hit = v.find(from, pos)) != std::u16string_view::npos; pos = hit + from.size()) {
    out.append(v.substr(pos, hit - pos));
    out.append(to);
  }
  out.append(v.substr(pos));
  return String(std::move(out));
}

}  // namespace px
