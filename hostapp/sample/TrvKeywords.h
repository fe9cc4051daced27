// Builds the FITS keyword records the TRV normalisation script writes into
// its xnml_*.xisf outputs.
#ifndef TRVX_HOSTAPP_SAMPLE_TRVKEYWORDS_H
#define TRVX_HOSTAPP_SAMPLE_TRVKEYWORDS_H

#include <string>
#include <vector>

#include "hostapp/xisf/XisfTypes.h"

namespace hostapp {

struct TrvFrame {
  bool isReference = false;
  std::string referencePath;  // absolute, UTF-8
  std::string targetPath;     // absolute, UTF-8
  int referenceWidth = 0, referenceHeight = 0, resize = 16;
  std::vector<double> bias, scale;  // one per channel
  std::string postfix = "_n", weightPostfix = "_w";
};

inline constexpr size_t kTrvPathPieceBytes = 60;

// A path as a run of keywords PREFIX0, PREFIX1, ...: the ISO 8859-1 bytes of
// the path with every space as byte 0xAC, cut into quoted pieces of at most
// kTrvPathPieceBytes bytes. Throws XisfError when the path has characters
// above U+00FF.
std::vector<FitsKeyword> TrvPathKeywords(const std::string& prefix, const std::string& utf8Path);

// All TRV keywords of one frame, in the script's order: TRVISREF, TRVREF*,
// TRVTGT*, TRVWIDTH, TRVHIGHT, TRVRESIZ, TRVPLUS*, TRVS*, TRVPSTFX, TRVWSTR.
std::vector<FitsKeyword> TrvKeywords(const TrvFrame& frame);

}  // namespace hostapp

#endif
