#include "engine/TRVXFitsHeader.h"

#include <string>

namespace px {

namespace {

const FITSHeaderKeyword* Find(const FITSKeywordArray& keywords, std::string_view name) {
  for (const FITSHeaderKeyword& k : keywords)
    if (k.name.View() == name) return &k;
  return nullptr;
}

// prefix followed by the index in decimal: TRVS0, TRVREF12, ...
IsoString IndexedName(const IsoString& prefix, unsigned long index) {
  return prefix + std::string_view(std::to_string(index));
}

bool GetInt(const FITSKeywordArray& keywords, std::string_view name, int& out) {
  const FITSHeaderKeyword* k = Find(keywords, name);
  if (k == nullptr) return false;
  double v;
  if (!TRVXFitsHeader::ToDoubleValue(*k, v)) return false;
  // Out-of-range values are not checked by the script's reader either; clamp
  // them so that the conversion itself stays defined.
  if (!(v > -2147483649.0)) v = -2147483648.0;
  if (!(v < 2147483648.0)) v = 2147483647.0;
  out = int(v);
  return true;
}

bool GetString(const FITSKeywordArray& keywords, std::string_view name, IsoString& out) {
  const FITSHeaderKeyword* k = Find(keywords, name);
  if (k == nullptr) return false;
  out = k->StripValueDelimiters();
  return true;
}

}  // namespace

bool TRVXFitsHeader::ToDoubleValue(const FITSHeaderKeyword& keyword, double& value) {
  std::string_view v = keyword.value.View();
  if (v.empty()) return false;
  char first = '\0';
  for (char c : v)
    if (!IsTrimmable(static_cast<unsigned char>(c))) {
      first = c;
      break;
    }
  if ((first >= '0' && first <= '9') || first == '+' || first == '-' || first == '.') {
    if (keyword.value.TryToDouble(value)) return true;
    value = 0;
    return false;
  }
  if (v.front() == '\'') return keyword.StripValueDelimiters().TryToDouble(value);
  return false;
}

bool TRVXFitsHeader::getIsReference(const FITSKeywordArray& keywords, bool& isReference) {
  isReference = false;
  const FITSHeaderKeyword* k = Find(keywords, "TRVISREF");
  if (k == nullptr) return false;
  isReference = k->StripValueDelimiters() == "true";
  return true;
}

bool TRVXFitsHeader::getWidth(const FITSKeywordArray& keywords, int& width) {
  return GetInt(keywords, "TRVWIDTH", width);
}

bool TRVXFitsHeader::getHeight(const FITSKeywordArray& keywords, int& height) {
  return GetInt(keywords, "TRVHIGHT", height);
}

bool TRVXFitsHeader::getResize(const FITSKeywordArray& keywords, int& resize) {
  return GetInt(keywords, "TRVRESIZ", resize);
}

bool TRVXFitsHeader::getPostfix(const FITSKeywordArray& keywords, IsoString& postfix) {
  return GetString(keywords, "TRVPSTFX", postfix);
}

bool TRVXFitsHeader::getWeightPostfix(const FITSKeywordArray& keywords, IsoString& weightPostfix) {
  return GetString(keywords, "TRVWSTR", weightPostfix);
}

bool TRVXFitsHeader::getTripleValue(const FITSKeywordArray& keywords, const IsoString& prefix,
                                    ValueList& values) {
  for (int i = 0; i < 3; ++i) {
    const FITSHeaderKeyword* k = Find(keywords, IndexedName(prefix, i).View());
    if (k == nullptr) break;
    double v;
    if (!ToDoubleValue(*k, v)) return false;
    values.push_back(v);
  }
  return !values.empty();
}

bool TRVXFitsHeader::getBias(const FITSKeywordArray& keywords, ValueList& values) {
  return getTripleValue(keywords, "TRVPLUS", values);
}

bool TRVXFitsHeader::getScale(const FITSKeywordArray& keywords, ValueList& values) {
  return getTripleValue(keywords, "TRVS", values);
}

bool TRVXFitsHeader::getFilename(const FITSKeywordArray& keywords, const IsoString& prefix, IsoString& name) {
  name.Clear();
  for (unsigned long n = 0;; ++n) {
    const FITSHeaderKeyword* k = Find(keywords, IndexedName(prefix, n).View());
    if (k == nullptr) break;
    std::string piece(k->StripValueDelimiters().View());
    // The script writes spaces as the ISO 8859-1 sign "¬" so that they
    // survive the trimming of FITS values.
    for (char& c : piece)
      if (static_cast<unsigned char>(c) == 0xAC) c = ' ';
    name.Append(piece);
  }
  return !name.IsEmpty();
}

bool TRVXFitsHeader::getRefFilename(const FITSKeywordArray& keywords, IsoString& name) {
  return getFilename(keywords, "TRVREF", name);
}

bool TRVXFitsHeader::getTgtFilename(const FITSKeywordArray& keywords, IsoString& name) {
  return getFilename(keywords, "TRVTGT", name);
}

}  // namespace px
