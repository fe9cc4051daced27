// Strict text-to-number parsing and overflow-checked arithmetic for the
// sizes an XISF header declares.
#ifndef TRVX_HOSTAPP_XISF_XISFNUMBERS_H
#define TRVX_HOSTAPP_XISF_XISFNUMBERS_H

#include <cstdint>
#include <string>
#include <vector>

namespace hostapp::xisf {

// Decimal digits only (no sign, no space); false on anything else or overflow.
bool ParseUInt64(const std::string& text, uint64_t& value);
// Splits at every `separator`; "" gives one empty part.
std::vector<std::string> SplitText(const std::string& text, char separator);
// a += b / a *= b; false (a unchanged) on overflow.
bool AddChecked(uint64_t& a, uint64_t b);
bool MulChecked(uint64_t& a, uint64_t b);

}  // namespace hostapp::xisf

#endif
