// Reads an XNML 1.0 local normalization file back, independently of the
// module that wrote it: decodes Base64, decompresses LZ4 subblocks, undoes
// the byte shuffle and checks every size against the declared geometry.
#ifndef TRVX_HOSTAPP_XNML_XNMLREADER_H
#define TRVX_HOSTAPP_XNML_XNMLREADER_H

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace hostapp {

// What is wrong with a file, without the file name.
class XnmlError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One set of per-channel matrices (Scale or ZeroOffset).
struct XnmlMatrices {
  uint32_t width = 0;
  uint32_t height = 0;
  std::vector<std::vector<float>> channels;  // each width*height samples, row-major
  std::vector<bool> compressed;              // per channel: stored as LZ4 subblocks
};

struct XnmlDocument {
  std::string creationTime;
  std::string referenceImage;  // UTF-8
  std::string targetImage;     // UTF-8
  int referenceWidth = 0;
  int referenceHeight = 0;
  int referenceChannels = 0;
  int normalizationScale = 0;
  int version = 0;
  bool valid = true;  // false when the root says valid="false"
  XnmlMatrices scale;
  XnmlMatrices zeroOffset;
  std::vector<double> bias;
  std::vector<double> relativeScaleFactors;
  std::vector<double> globalScale, globalReferenceLocation, globalTargetLocation;
};

// Parses and verifies a whole document. Throws XnmlError saying what is wrong.
XnmlDocument ParseXnml(const std::string& text);
// Reads a file and parses it; an unreadable file is an XnmlError too.
XnmlDocument ReadXnmlFile(const std::string& utf8Path);

// RFC 4648 Base64 decoding (padding required; XML white space ignored).
// Throws XnmlError on malformed input.
std::vector<uint8_t> DecodeBase64(const std::string& text);

// Inverse of the item shuffle: input holds byte j of every item, then the
// tail bytes that did not fill an item.
std::vector<uint8_t> Unshuffle(const std::vector<uint8_t>& shuffled, size_t itemSize);

}  // namespace hostapp

#endif
