#include "core/FITSHeaderKeyword.h"

namespace px {

IsoString FITSHeaderKeyword::StripValueDelimiters() const {
  std::string_view v = value.View();
  if (!v.empty() && v.front() == '\'') {
    v.remove_prefix(1);
    if (!v.empty() && v.back() == '\'') v.remove_suffix(1);
  }
  return IsoString(v).Trimmed();
}

}  // namespace px
