#include "hostapp/sample/SampleSet.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "hostapp/sample/TrvKeywords.h"
#include "hostapp/xisf/XisfReader.h"

namespace fs = std::filesystem;

namespace hostapp {
namespace {

std::map<std::string, std::string> ValuesByName(const std::vector<FitsKeyword>& keywords) {
  std::map<std::string, std::string> m;
  for (const FitsKeyword& k : keywords) m.emplace(k.name, k.value);
  return m;
}

// Joins PREFIX0, PREFIX1, ... the way the converter reads them: quotes and
// blanks stripped, 0xAC back to a space.
std::string JoinedPath(const std::map<std::string, std::string>& values, const std::string& prefix) {
  std::string path;
  for (int n = 0;; ++n) {
    auto it = values.find(prefix + std::to_string(n));
    if (it == values.end()) break;
    std::string piece = it->second;
    EXPECT_GE(piece.size(), 2u);
    EXPECT_EQ(piece.front(), '\'');
    EXPECT_EQ(piece.back(), '\'');
    piece = piece.substr(1, piece.size() - 2);
    EXPECT_LE(piece.size(), kTrvPathPieceBytes);
    EXPECT_EQ(piece.find(' '), std::string::npos) << "spaces are written as 0xAC";
    for (char& c : piece)
      if (c == char(0xAC)) c = ' ';
    path += piece;
  }
  return path;
}

class SampleSet : public ::testing::Test {
 protected:
  // A long directory name with spaces: the paths need several pieces.
  // One directory per process: ctest runs the cases as parallel processes.
  fs::path dir_ = fs::path(::testing::TempDir()) / ("sample set with spaces " + std::to_string(::getpid())) /
                  "a directory name long enough to split the header paths";
  void SetUp() override { fs::remove_all(dir_); }
  void TearDown() override { fs::remove_all(dir_.parent_path()); }
};

TEST_F(SampleSet, WritesRawFramesAndTrvOutputsThatNameThem) {
  const std::vector<std::string> written = WriteSampleSet(dir_.string());
  const fs::path root = fs::absolute(dir_).lexically_normal();
  const std::vector<std::string> expected = {
      (root / "raw/ref_frame.xisf").string(),   (root / "raw/frame02.xisf").string(),
      (root / "raw/frame03_rgb.xisf").string(), (root / "xnml_ref_frame.xisf").string(),
      (root / "xnml_frame02.xisf").string(),    (root / "xnml_frame03_rgb.xisf").string(),
  };
  ASSERT_EQ(written, expected);
  for (const std::string& path : written) EXPECT_TRUE(fs::is_regular_file(path)) << path;

  for (int i = 0; i < 3; ++i) {
    XisfReader raw(written[i]);
    EXPECT_EQ(raw.Images()[0].width, 1024u);
    EXPECT_EQ(raw.Images()[0].height, 768u);
  }

  struct Expect {
    bool reference;
    uint32_t channels;
    std::string target;
  } frames[] = {{true, 1, expected[0]}, {false, 1, expected[1]}, {false, 3, expected[2]}};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(written[3 + i]);
    XisfReader reader(written[3 + i]);
    const XisfImageInfo& info = reader.Images()[0];
    EXPECT_EQ(info.width, 64u);
    EXPECT_EQ(info.height, 48u);
    EXPECT_EQ(info.channels, frames[i].channels);
    EXPECT_EQ(info.colorSpace, frames[i].channels == 3 ? ColorSpace::RGB : ColorSpace::Gray);
    EXPECT_EQ(info.sampleFormat, "Float32");

    const auto values = ValuesByName(reader.Keywords());
    EXPECT_EQ(values.at("TRVISREF"), frames[i].reference ? "'true'" : "'false'");
    EXPECT_EQ(JoinedPath(values, "TRVREF"), expected[0]);
    EXPECT_EQ(JoinedPath(values, "TRVTGT"), frames[i].target);
    EXPECT_TRUE(values.count("TRVREF1")) << "a long path takes several pieces";
    EXPECT_EQ(values.at("TRVWIDTH"), "1024");
    EXPECT_EQ(values.at("TRVHIGHT"), "768");
    const int resize = std::atoi(values.at("TRVRESIZ").c_str());
    EXPECT_GE(resize, 16);
    EXPECT_EQ(1024 / resize, 64);
    EXPECT_EQ(values.at("TRVPSTFX"), "'_n'");
    EXPECT_EQ(values.at("TRVWSTR"), "'_w'");
    for (uint32_t c = 0; c < 3; ++c) {
      const std::string n = std::to_string(c);
      EXPECT_EQ(values.count("TRVS" + n), c < frames[i].channels ? 1u : 0u) << n;
      EXPECT_EQ(values.count("TRVPLUS" + n), c < frames[i].channels ? 1u : 0u) << n;
      if (c >= frames[i].channels) continue;
      double scale = std::strtod(values.at("TRVS" + n).c_str(), nullptr);
      double bias = std::strtod(values.at("TRVPLUS" + n).c_str(), nullptr);
      EXPECT_GT(scale, 0.8);
      EXPECT_LT(scale, 1.2);
      EXPECT_LT(std::fabs(bias), 0.05);
    }

    // A smooth surface of small offsets: finite, varied, neighbours close.
    std::vector<float> pixels(size_t(64) * 48 * info.channels);
    reader.ReadPixels(pixels.data());
    float low = pixels[0], high = pixels[0];
    for (size_t k = 0; k < pixels.size(); ++k) {
      ASSERT_TRUE(std::isfinite(pixels[k]));
      EXPECT_LT(std::fabs(pixels[k]), 0.1f);
      low = std::min(low, pixels[k]), high = std::max(high, pixels[k]);
      if (k % 64 != 0) {
        EXPECT_LT(std::fabs(pixels[k] - pixels[k - 1]), 0.002f) << k;
      }
    }
    EXPECT_GT(high - low, 0.001f);
  }
}

TEST_F(SampleSet, SameDirectoryGetsTheSameBytes) {
  auto read = [](const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    std::string s;
    char buffer[65536];
    for (size_t n; f != nullptr && (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) s.append(buffer, n);
    if (f != nullptr) std::fclose(f);
    return s;
  };
  const std::vector<std::string> first = WriteSampleSet(dir_.string());
  std::vector<std::string> bytes;
  for (const std::string& p : first) bytes.push_back(read(p));
  const std::vector<std::string> second = WriteSampleSet(dir_.string());
  ASSERT_EQ(first, second);
  for (size_t i = 0; i < first.size(); ++i) EXPECT_EQ(read(second[i]), bytes[i]) << first[i];
}

TEST(TrvKeywords, PathPiecesEncodeSpacesAndRefuseCharactersBeyondLatin1) {
  const std::vector<FitsKeyword> k = TrvPathKeywords("TRVTGT", "/d/caf\xC3\xA9 x/f.xisf");
  ASSERT_EQ(k.size(), 1u);
  EXPECT_EQ(k[0].name, "TRVTGT0");
  EXPECT_EQ(k[0].value, "'/d/caf\xE9\xACx/f.xisf'");
  EXPECT_THROW(TrvPathKeywords("TRVTGT", "/d/\xE4\xB8\xAD.xisf"), XisfError);

  const std::string path = "/" + std::string(59, 'a') + " " + std::string(30, 'b');
  const std::vector<FitsKeyword> split = TrvPathKeywords("TRVREF", path);
  ASSERT_EQ(split.size(), 2u);
  EXPECT_EQ(split[0].value, "'/" + std::string(59, 'a') + "'");
  EXPECT_EQ(split[1].name, "TRVREF1");
  EXPECT_EQ(split[1].value, "'\xAC" + std::string(30, 'b') + "'");
}

}  // namespace
}  // namespace hostapp
