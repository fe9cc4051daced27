#include "hostapp/xisf/XisfNumbers.h"

namespace hostapp::xisf {

bool ParseUInt64(const std::string& text, uint64_t& value) {
  if (text.empty() || text.size() > 20) return false;
  uint64_t v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    if (!MulChecked(v, 10) || !AddChecked(v, uint64_t(c - '0'))) return false;
  }
  value = v;
  return true;
}

std::vector<std::string> SplitText(const std::string& text, char separator) {
  std::vector<std::string> parts(1);
  for (char c : text) {
    if (c == separator) parts.emplace_back();
    else parts.back().push_back(c);
  }
  return parts;
}

bool AddChecked(uint64_t& a, uint64_t b) {
  if (a > UINT64_MAX - b) return false;
  a += b;
  return true;
}

bool MulChecked(uint64_t& a, uint64_t b) {
  if (b != 0 && a > UINT64_MAX / b) return false;
  a *= b;
  return true;
}

}  // namespace hostapp::xisf
