// One FITS header record: name, value and comment as 8-bit strings, each
// trimmed of tab, line feed, carriage return and space when built. A keyword
// list is an ordered array of records in header order.
#ifndef TRVX_CORE_FITSHEADERKEYWORD_H
#define TRVX_CORE_FITSHEADERKEYWORD_H

#include <vector>

#include "core/IsoString.h"

namespace px {

struct FITSHeaderKeyword {
  IsoString name;
  IsoString value;
  IsoString comment;

  FITSHeaderKeyword() = default;
  FITSHeaderKeyword(const IsoString& name_, const IsoString& value_ = IsoString(),
                    const IsoString& comment_ = IsoString())
      : name(name_.Trimmed()), value(value_.Trimmed()), comment(comment_.Trimmed()) {}

  // The value without its FITS string delimiters: a leading single quote is
  // dropped together with a trailing one (a lone quote gives an empty text),
  // then the result is trimmed. Doubled quotes inside are kept as they are.
  IsoString StripValueDelimiters() const;
};

using FITSKeywordArray = std::vector<FITSHeaderKeyword>;

}  // namespace px

#endif
