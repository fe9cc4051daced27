// Runs the real trvxnml executable, which loads the real module library.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "hostapp/xisf/XisfWriter.h"
#include "hostapp/xnml/XnmlReader.h"

namespace {

namespace fs = std::filesystem;

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs `trvxnml ARGS` through the shell with stdout and stderr captured.
Outcome Trvxnml(const std::string& args, const fs::path& dir) {
  fs::path outFile = dir / "stdout.txt", errFile = dir / "stderr.txt";
  std::string cmd = std::string("'") + TRVX_TEST_HOST_EXE + "' " + args + " >'" + outFile.string() +
                    "' 2>'" + errFile.string() + "'";
  int raw = std::system(cmd.c_str());
  Outcome r;
  r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  std::ifstream o(outFile), e(errFile);
  std::stringstream so, se;
  so << o.rdbuf();
  se << e.rdbuf();
  r.out = so.str();
  r.err = se.str();
  return r;
}

class Cli : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("trvxnml-cli-" + std::to_string(::getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path dir_;
};

TEST_F(Cli, SampleConvertInspectRoundTrip) {
  Outcome sample = Trvxnml("sample '" + (dir_ / "demo").string() + "'", dir_);
  ASSERT_EQ(sample.status, 0) << sample.err;
  EXPECT_NE(sample.out.find("xnml_frame02.xisf"), std::string::npos) << sample.out;

  Outcome convert = Trvxnml("convert --output-dir '" + (dir_ / "out").string() + "' '" +
                            (dir_ / "demo").string() + "'/xnml_*.xisf",
                        dir_);
  ASSERT_EQ(convert.status, 0) << convert.out << convert.err;
  EXPECT_NE(convert.out.find("Creating xnml for "), std::string::npos) << convert.out;
  EXPECT_NE(convert.out.find("Writing output file: "), std::string::npos) << convert.out;

  int files = 0;
  for (auto& entry : fs::directory_iterator(dir_ / "out")) {
    ++files;
    Outcome inspect = Trvxnml("inspect '" + entry.path().string() + "'", dir_);
    EXPECT_EQ(inspect.status, 0) << inspect.err;
    EXPECT_NE(inspect.out.find("relative scale factor"), std::string::npos) << inspect.out;
  }
  EXPECT_EQ(files, 3);
}

TEST_F(Cli, RelativeTargetsAreMadeAbsoluteAndConsoleLogIsRaw) {
  ASSERT_EQ(Trvxnml("sample '" + (dir_ / "demo").string() + "'", dir_).status, 0);
  std::string log = (dir_ / "console.log").string();
  // trvxnml inherits the working directory, so a relative target resolves against dir_.
  fs::path cwd = fs::current_path();
  fs::current_path(dir_);
  Outcome r = Trvxnml("convert --console-log '" + log + "' --output-dir out demo/xnml_frame02.xisf", dir_);
  fs::current_path(cwd);
  ASSERT_EQ(r.status, 0) << r.err;
  std::ifstream in(log);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_NE(text.str().find("Creating xnml for " + (dir_ / "demo" / "xnml_frame02.xisf").string() + "\n"),
            std::string::npos)
      << text.str();
  EXPECT_NE(text.str().find("<end><cbr>Writing output file: <raw>"), std::string::npos) << text.str();
}

TEST_F(Cli, ExitStatusesAndMessages) {
  std::ofstream(dir_ / "bad.xnml") << "<xnml version=\"1.0\">";
  struct Case {
    std::string args;
    int status;
    std::string stderrPart;
  } cases[] = {
      {"", 2, "usage"},
      {"frobnicate", 2, "unknown command"},
      {"convert --no-such-option x", 2, "--no-such-option"},
      {"convert", 1, "No target images have been defined."},
      {"convert --module '" + (dir_ / "missing.so").string() + "' x.xisf", 2, "missing.so"},
      {"convert --instance '" + (dir_ / "none.json").string() + "'", 2, "none.json"},
      {"inspect '" + (dir_ / "bad.xnml").string() + "'", 1, "bad.xnml: damaged XNML file"},
  };
  for (const Case& c : cases) {
    Outcome r = Trvxnml(c.args, dir_);
    EXPECT_EQ(r.status, c.status) << c.args << "\n" << r.err;
    EXPECT_NE(r.err.find(c.stderrPart), std::string::npos) << c.args << "\n" << r.err;
  }
}

TEST_F(Cli, InstanceFileRowsComeFirstAndFlagsOverride) {
  ASSERT_EQ(Trvxnml("sample '" + (dir_ / "demo").string() + "'", dir_).status, 0);
  std::string explicitOut = (dir_ / "explicit.xnml").string();
  std::ofstream(dir_ / "instance.json")
      << "{\"targetItems\": [[\"" << (dir_ / "demo" / "xnml_frame02.xisf").string() << "\", \"" << explicitOut
      << "\"]], \"outputDirectory\": \"" << (dir_ / "elsewhere").string()
      << "\", \"overwriteExistingFiles\": false, \"useWeightPostfix\": true}";
  Outcome r = Trvxnml("convert --instance '" + (dir_ / "instance.json").string() + "' --output-dir '" +
                      (dir_ / "out").string() + "' --no-weight-postfix '" +
                      (dir_ / "demo" / "xnml_frame03_rgb.xisf").string() + "'",
                  dir_);
  ASSERT_EQ(r.status, 0) << r.out << r.err;
  EXPECT_TRUE(fs::exists(explicitOut));
  EXPECT_FALSE(fs::exists(dir_ / "elsewhere"));
  bool found = false;
  for (auto& entry : fs::directory_iterator(dir_ / "out")) {
    std::string name = entry.path().filename().string();
    EXPECT_EQ(name.find("_w"), std::string::npos) << name;
    found = true;
  }
  EXPECT_TRUE(found);
}

// An RGB target converted through the loaded module decodes bit-exactly to
// bias - input (computed in double, rounded once to float) and 1/scale.
TEST_F(Cli, RgbTargetRoundTripsBitExactly) {
  const uint32_t w = 40, h = 24;
  const double bias[3] = {0.0123, -0.5, 1.0 / 3.0};
  const double scale[3] = {1.02, 0.98, 4.0};
  std::vector<float> pixels(size_t(w) * h * 3);
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = float(std::sin(double(i) * 0.37) * 0.01 + 0.02);
  fs::path raw = dir_ / "raw frame.xisf";
  float one = 1;
  hostapp::WriteXisf(raw.string(), 1, 1, 1, hostapp::ColorSpace::Gray, &one, {});
  std::string rawPath = raw.string();
  size_t space = rawPath.rfind(' ');
  std::vector<hostapp::FitsKeyword> keywords = {
      {"TRVISREF", "'false'", ""},
      // The script writes a space at the end of a piece as the byte 0xAC.
      {"TRVREF0", "'" + rawPath.substr(0, space) + "\xAC'", ""},
      {"TRVREF1", "'" + rawPath.substr(space + 1) + "'", ""},
      {"TRVTGT0", "'" + rawPath + "'", ""},
      {"TRVWIDTH", "640", ""}, {"TRVHIGHT", "480", ""}, {"TRVRESIZ", "16", ""},
      {"TRVPLUS0", "0.0123", ""}, {"TRVPLUS1", "-0.5", ""}, {"TRVPLUS2", "0.3333333333333333", ""},
      {"TRVS0", "1.02", ""}, {"TRVS1", "0.98", ""}, {"TRVS2", "4", ""},
      {"TRVPSTFX", "'_n'", ""}, {"TRVWSTR", "'_w'", ""},
  };
  fs::path target = dir_ / "xnml_rgb.xisf";
  hostapp::WriteXisf(target.string(), w, h, 3, hostapp::ColorSpace::RGB, pixels.data(), keywords);

  Outcome r = Trvxnml("convert --output-dir '" + (dir_ / "out").string() + "' '" + target.string() + "'", dir_);
  ASSERT_EQ(r.status, 0) << r.out << r.err;
  hostapp::XnmlDocument doc = hostapp::ReadXnmlFile((dir_ / "out" / "raw frame_n_w.xnml").string());
  EXPECT_EQ(doc.referenceImage, rawPath);
  EXPECT_EQ(doc.targetImage, rawPath);
  EXPECT_EQ(doc.referenceWidth, 640);
  EXPECT_EQ(doc.normalizationScale, 16);
  ASSERT_EQ(doc.zeroOffset.channels.size(), 3u);
  ASSERT_EQ(doc.relativeScaleFactors.size(), 3u);
  for (int c = 0; c < 3; ++c) {
    // Number lists carry 16 significant digits.
    char text[32];
    std::snprintf(text, sizeof(text), "%.16g", 1.0 / scale[c]);
    EXPECT_EQ(doc.relativeScaleFactors[c], std::strtod(text, nullptr)) << c;
    for (size_t i = 0; i < size_t(w) * h; ++i) {
      float input = pixels[size_t(c) * w * h + i];
      ASSERT_EQ(doc.zeroOffset.channels[c][i], float(bias[c] - double(input))) << c << ":" << i;
      ASSERT_EQ(doc.scale.channels[c][i], float(1.0 / scale[c])) << c << ":" << i;
    }
  }
}

// An exception that escapes the execution is reported on the console as the
// module's error handler writes it, and the command fails.
TEST_F(Cli, EscapedExceptionIsReportedAndFails) {
  std::ofstream(dir_ / "frame.fits") << "not an image";
  std::string log = (dir_ / "console.log").string();
  Outcome r = Trvxnml("convert --console-log '" + log + "' '" + (dir_ / "frame.fits").string() + "'", dir_);
  EXPECT_EQ(r.status, 1);
  std::ifstream in(log);
  std::stringstream text;
  text << in.rdbuf();
  const std::string expected =
      "Creating xnml for " + (dir_ / "frame.fits").string() +
      "\n\x1b[31m<end><cbr>*** Error: FileFormat: No installed image file format was found for the "
      "specified file extension '.fits' and access conditions\x1b[39m\x1b[39m<end><cbr>";
  EXPECT_EQ(text.str(), expected);
}

}  // namespace
