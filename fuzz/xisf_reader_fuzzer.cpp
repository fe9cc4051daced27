// Feeds arbitrary bytes to the XISF reader: it must refuse them with an
// XisfError or deliver images, keywords and pixels, without crashing,
// reading out of bounds or allocating without bound.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "hostapp/xisf/XisfReader.h"

namespace {

// Pixel buffers up to this many samples are decoded; larger honest images
// only cost time here.
constexpr uint64_t kMaxFuzzSamples = uint64_t(1) << 22;

bool IsTrimmed(const std::string& s) {
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
  return s.empty() || (!blank(s.front()) && !blank(s.back()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    hostapp::XisfReader reader =
        hostapp::XisfReader::FromBytes(std::string(reinterpret_cast<const char*>(data), size));
    if (reader.Images().empty()) std::abort();
    for (const hostapp::FitsKeyword& k : reader.Keywords())
      for (const std::string* field : {&k.name, &k.value, &k.comment})
        if (field->size() > 256 || !IsTrimmed(*field)) std::abort();
    const hostapp::XisfImageInfo& info = reader.Images()[0];
    uint64_t samples = uint64_t(info.width) * info.height * info.channels;
    if (info.width == 0 || info.height == 0 || info.channels == 0) std::abort();
    if (samples <= kMaxFuzzSamples) {
      std::vector<float> pixels(samples);
      reader.ReadPixels(pixels.data());
    }
  } catch (const hostapp::XisfError&) {
  }
  return 0;
}
