// Reader of the TRV keywords that the normalisation script writes into the
// FITS header of each xnml_*.xisf image. Stateless: every operation searches
// one keyword list, takes the first record of exactly the wanted name
// (case-sensitive) and returns true only when it was found and accepted.
// Out-parameters are written only on success unless stated. Throws nothing
// of its own; safe on any thread.
#ifndef TRVX_ENGINE_TRVXFITSHEADER_H
#define TRVX_ENGINE_TRVXFITSHEADER_H

#include <vector>

#include "core/FITSHeaderKeyword.h"
#include "core/IsoString.h"

namespace px {

class TRVXFitsHeader {
 public:
  using ValueList = std::vector<double>;

  // Numeric value of a record: unquoted values starting (after blanks) with a
  // digit, "+", "-" or "." are parsed whole; quoted values are parsed without
  // their delimiters; anything else fails. `value` is set to 0 when an
  // unquoted numeric-looking value fails to convert. The decimal point is "."
  // whatever the process locale.
  static bool ToDoubleValue(const FITSHeaderKeyword& keyword, double& value);

  // "TRVISREF": `isReference` is set to false first, then true only for the
  // exact (unquoted) text "true". Returns whether the record exists.
  static bool getIsReference(const FITSKeywordArray& keywords, bool& isReference);

  // "TRVWIDTH", "TRVHIGHT", "TRVRESIZ": the number truncated toward zero;
  // values beyond the int range are clamped to it (a quoted NaN gives the
  // minimum).
  static bool getWidth(const FITSKeywordArray& keywords, int& width);
  static bool getHeight(const FITSKeywordArray& keywords, int& height);
  static bool getResize(const FITSKeywordArray& keywords, int& resize);

  // "TRVPSTFX", "TRVWSTR": the value without delimiters, possibly empty.
  static bool getPostfix(const FITSKeywordArray& keywords, IsoString& postfix);
  static bool getWeightPostfix(const FITSKeywordArray& keywords, IsoString& weightPostfix);

  // Appends the values of prefix+"0", prefix+"1", prefix+"2" (not cleared
  // first), stopping at the first missing index. False when a value does not
  // convert (earlier values stay appended) or when `values` ends up empty.
  static bool getTripleValue(const FITSKeywordArray& keywords, const IsoString& prefix, ValueList& values);
  static bool getBias(const FITSKeywordArray& keywords, ValueList& values);   // TRVPLUS0..2
  static bool getScale(const FITSKeywordArray& keywords, ValueList& values);  // TRVS0..2

  // Joins the pieces prefix+"0", prefix+"1", ... up to the first missing
  // index; each piece loses its delimiters and has every byte 0xAC turned
  // into a space. `name` is cleared first; true when the result is not empty.
  static bool getFilename(const FITSKeywordArray& keywords, const IsoString& prefix, IsoString& name);
  static bool getRefFilename(const FITSKeywordArray& keywords, IsoString& name);  // TRVREF0..
  static bool getTgtFilename(const FITSKeywordArray& keywords, IsoString& name);  // TRVTGT0..
};

}  // namespace px

#endif
