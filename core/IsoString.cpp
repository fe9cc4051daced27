#include "core/IsoString.h"

#include <cerrno>
#include <clocale>
#include <cstdlib>

namespace px {

IsoString IsoString::Substring(size_t pos, size_t n) const {
  if (pos >= Length()) return IsoString();
  return IsoString(View().substr(pos, n));
}

IsoString IsoString::Trimmed() const {
  std::string_view v = View();
  size_t b = 0, e = v.size();
  while (b < e && IsTrimmable(static_cast<unsigned char>(v[b]))) ++b;
  while (e > b && IsTrimmable(static_cast<unsigned char>(v[e - 1]))) --e;
  if (b == 0 && e == v.size()) return *this;
  return IsoString(v.substr(b, e - b));
}

namespace {
// strtod_l with a "C" locale created once: header values use '.' as the
// decimal point whatever locale the host process runs in.
locale_t CLocale() {
  static locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(0));
  return c;
}
}  // namespace

bool IsoString::TryToDouble(double& value) const {
  IsoString t = Trimmed();
  if (t.IsEmpty()) return false;
  const char* begin = t.c_str();
  char* end = nullptr;
  errno = 0;
  double v = strtod_l(begin, &end, CLocale());
  if (errno == ERANGE || end != begin + t.Length()) return false;
  value = v;
  return true;
}

}  // namespace px
