#include "hostapp/sample/TrvKeywords.h"

#include <cstdio>

#include "hostapp/xisf/Latin1.h"

namespace hostapp {
namespace {

std::string Quoted(const std::string& s) { return "'" + s + "'"; }

std::string Real(double v) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.6g", v);
  return buffer;
}

}  // namespace

std::vector<FitsKeyword> TrvPathKeywords(const std::string& prefix, const std::string& utf8Path) {
  if (!xisf::IsLatin1Representable(utf8Path))
    throw XisfError("path '" + utf8Path + "' has characters outside ISO 8859-1");
  std::string bytes = xisf::Utf8ToLatin1(utf8Path);
  // Spaces at the ends of a piece would be trimmed away; the script writes
  // every space as the byte 0xAC.
  for (char& c : bytes)
    if (c == ' ') c = char(0xAC);
  std::vector<FitsKeyword> out;
  for (size_t at = 0, n = 0; at < bytes.size(); at += kTrvPathPieceBytes, ++n)
    out.push_back({prefix + std::to_string(n), Quoted(bytes.substr(at, kTrvPathPieceBytes)),
                   n == 0 ? "TRV file name" : "TRV file name, continued"});
  return out;
}

std::vector<FitsKeyword> TrvKeywords(const TrvFrame& frame) {
  std::vector<FitsKeyword> k;
  k.push_back({"TRVISREF", Quoted(frame.isReference ? "true" : "false"), "TRV reference frame"});
  for (auto& r : TrvPathKeywords("TRVREF", frame.referencePath)) k.push_back(r);
  for (auto& r : TrvPathKeywords("TRVTGT", frame.targetPath)) k.push_back(r);
  k.push_back({"TRVWIDTH", std::to_string(frame.referenceWidth), "TRV reference width"});
  k.push_back({"TRVHIGHT", std::to_string(frame.referenceHeight), "TRV reference height"});
  k.push_back({"TRVRESIZ", std::to_string(frame.resize), "TRV normalization scale"});
  for (size_t i = 0; i < frame.bias.size(); ++i)
    k.push_back({"TRVPLUS" + std::to_string(i), Real(frame.bias[i]), "TRV bias, channel " + std::to_string(i)});
  for (size_t i = 0; i < frame.scale.size(); ++i)
    k.push_back({"TRVS" + std::to_string(i), Real(frame.scale[i]), "TRV scale, channel " + std::to_string(i)});
  k.push_back({"TRVPSTFX", Quoted(frame.postfix), "TRV output postfix"});
  k.push_back({"TRVWSTR", Quoted(frame.weightPostfix), "TRV weight postfix"});
  return k;
}

}  // namespace hostapp
