// Small XISF fixtures for the reader tests: images with known pixels and
// files assembled from hand-written header XML.
#ifndef TRVX_TESTS_HOSTAPP_XISF_XISFFIXTURES_H
#define TRVX_TESTS_HOSTAPP_XISF_XISFFIXTURES_H

#include <cstdint>
#include <string>
#include <vector>

#include "hostapp/xisf/XisfTypes.h"

namespace hostapp::testing {

// Planar samples n/255 for n = 0, 7, 14, ... (mod 256): exactly representable
// in UInt8, UInt16 and both float formats.
inline std::vector<float> LadderPixels(uint32_t width, uint32_t height, uint32_t channels) {
  std::vector<float> v(size_t(width) * height * channels);
  for (size_t i = 0; i < v.size(); ++i) v[i] = float(double((i * 7) % 256) / 255.0);
  return v;
}

inline std::string LittleEndian32(uint32_t v) {
  std::string s;
  for (int i = 0; i < 4; ++i) s.push_back(char(uint8_t(v >> (8 * i))));
  return s;
}

// A complete file: signature, header length, reserved word, then `header`,
// then `tail` (attachments) right after it.
inline std::string FileWithHeader(const std::string& header, const std::string& tail = "") {
  return "XISF0100" + LittleEndian32(uint32_t(header.size())) + std::string(4, '\0') + header + tail;
}

// Root element around `body`, in the XISF namespace.
inline std::string XisfHeaderXml(const std::string& body) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<xisf version=\"1.0\" xmlns=\"http://www.pixinsight.com/xisf\">" +
         body + "</xisf>";
}

// The header text of a file written by the writer, and the file rebuilt
// around a changed header (only for files whose data lives in the header).
inline std::string HeaderOf(const std::string& file) {
  uint32_t n = uint8_t(file[8]) | uint8_t(file[9]) << 8 | uint8_t(file[10]) << 16 | uint32_t(uint8_t(file[11])) << 24;
  return file.substr(16, n);
}

inline std::string Replaced(std::string s, const std::string& from, const std::string& to) {
  size_t at = s.find(from);
  if (at == std::string::npos) return "<fixture text not found: " + from + ">";
  return s.replace(at, from.size(), to);
}

}  // namespace hostapp::testing

#endif
