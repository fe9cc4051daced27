#include "hostapp/sample/SampleSet.h"

#include <filesystem>

#include "hostapp/sample/SampleImages.h"
#include "hostapp/sample/TrvKeywords.h"
#include "hostapp/xisf/XisfWriter.h"

namespace fs = std::filesystem;

namespace hostapp {
namespace {

constexpr uint32_t kReferenceWidth = 1024, kReferenceHeight = 768;
constexpr int kResize = 16;  // the offset surfaces are the reference geometry downscaled by this

struct SampleFrame {
  const char* name;
  ColorSpace colorSpace;
  std::vector<double> bias, scale;
};

const SampleFrame kFrames[] = {
    {"ref_frame", ColorSpace::Gray, {0.0}, {1.0}},
    {"frame02", ColorSpace::Gray, {0.0123}, {1.02}},
    {"frame03_rgb", ColorSpace::RGB, {0.0123, -0.0045, 0.0087}, {1.02, 0.98, 1.05}},
};

}  // namespace

std::vector<std::string> WriteSampleSet(const std::string& dir) {
  const fs::path root = fs::absolute(fs::path(dir)).lexically_normal();
  const fs::path raw = root / "raw";
  fs::create_directories(raw);

  std::vector<std::string> written;
  uint64_t seed = 20240611;
  for (const SampleFrame& f : kFrames) {
    uint32_t channels = f.colorSpace == ColorSpace::RGB ? 3 : 1;
    std::vector<float> pixels = StarField(kReferenceWidth, kReferenceHeight, channels, ++seed);
    XisfWriteOptions options;
    options.sampleFormat = "UInt16";
    options.codec = "zstd";
    options.shuffle = true;
    std::string path = (raw / (std::string(f.name) + ".xisf")).string();
    WriteXisf(path, kReferenceWidth, kReferenceHeight, channels, f.colorSpace, pixels.data(),
              {{"IMAGETYP", "'Light Frame'", "Type of image"}, {"EXPTIME", "300.", "Exposure time in seconds"}},
              options);
    written.push_back(path);
  }

  const std::string referencePath = (raw / (std::string(kFrames[0].name) + ".xisf")).string();
  const uint32_t width = kReferenceWidth / kResize, height = kReferenceHeight / kResize;
  for (const SampleFrame& f : kFrames) {
    uint32_t channels = f.colorSpace == ColorSpace::RGB ? 3 : 1;
    TrvFrame frame;
    frame.isReference = &f == &kFrames[0];
    frame.referencePath = referencePath;
    frame.targetPath = (raw / (std::string(f.name) + ".xisf")).string();
    frame.referenceWidth = int(kReferenceWidth);
    frame.referenceHeight = int(kReferenceHeight);
    frame.resize = kResize;
    frame.bias = f.bias;
    frame.scale = f.scale;
    std::vector<float> surface = OffsetSurface(width, height, channels, ++seed);
    std::string path = (root / ("xnml_" + std::string(f.name) + ".xisf")).string();
    WriteXisf(path, width, height, channels, f.colorSpace, surface.data(), TrvKeywords(frame));
    written.push_back(path);
  }
  return written;
}

}  // namespace hostapp
