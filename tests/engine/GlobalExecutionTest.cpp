// The global execution of a TRVXnml instance, through the in-process
// stand-in host: real XISF inputs, console transcript, written XNML files.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/Exception.h"
#include "file/File.h"
#include "file/TempDir.h"
#include "framework/MetaModule.h"
#include "hostapp/xisf/XisfWriter.h"
#include "hostapp/xnml/XnmlReader.h"
#include "module/TRVXModule.h"
#include "process/TRVXInstance.h"
#include "process/TRVXProcess.h"
#include "support/InProcessHost.h"

using hostapp::FitsKeyword;
using px::String;
using px::TRVXInstance;
using trvx::test::ConsoleCapture;
using trvx::test::InProcessHost;
using trvx::test::TempDir;

namespace {

std::string Red(const std::string& text) { return "\x1b[31m" + text + "\x1b[39m"; }

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class GlobalExecution : public ::testing::Test {
 protected:
  void SetUp() override {
    InProcessHost::Bind();
    new px::TRVXModule;
    new px::TRVXProcess;
    instance = std::make_unique<TRVXInstance>(px::TheTRVXProcess);
    reference = tmp.Touch("ref/reference.xisf");
    rawTarget = tmp.Touch("raw/frame01.fit");
    tmp.MakeDir("lights");
  }
  void TearDown() override {
    instance.reset();
    delete px::Module;
  }

  // A complete, valid header for a grayscale non-reference frame.
  std::vector<FitsKeyword> Header() const {
    return {
        {"TRVISREF", "'false'", ""},
        {"TRVREF0", "'" + reference + "'", ""},
        {"TRVTGT0", "'" + rawTarget + "'", ""},
        {"TRVWIDTH", "64", ""},
        {"TRVHIGHT", "48", ""},
        {"TRVRESIZ", "16", ""},
        {"TRVPLUS0", "0.25", ""},
        {"TRVS0", "4", ""},
        {"TRVPSTFX", "'_n'", ""},
        {"TRVWSTR", "'_w'", ""},
    };
  }
  static std::vector<FitsKeyword> Without(std::vector<FitsKeyword> header, const std::string& name) {
    std::erase_if(header, [&](const FitsKeyword& k) { return k.name == name; });
    return header;
  }

  // Writes lights/<name> as a w x h image whose samples are 0.001*i (+0.1*k).
  std::string WriteTarget(const std::string& name, const std::vector<FitsKeyword>& keywords, uint32_t w = 4,
                          uint32_t h = 3, hostapp::ColorSpace cs = hostapp::ColorSpace::Gray) {
    uint32_t channels = cs == hostapp::ColorSpace::RGB ? 3 : 1;
    std::vector<float> pixels(size_t(w) * h * channels);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = 0.001f * float(i % (w * h)) + 0.1f * float(i / (w * h));
    std::string path = tmp / ("lights/" + name);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    hostapp::WriteXisf(path, w, h, channels, cs, pixels.data(), keywords);
    return path;
  }

  void SetTargets(const std::vector<std::pair<std::string, std::string>>& targets) {
    auto& items = instance->targetItems.Mutable();
    items.clear();
    for (const auto& [target, output] : targets)
      items.push_back({String::UTF8ToUTF16(target), String::UTF8ToUTF16(output)});
  }

  // Runs the execution; returns the console lines. Exceptions pass.
  std::vector<std::string> Run() {
    ConsoleCapture capture;
    bool result = false;
    try {
      result = instance->ExecuteGlobal();
    } catch (...) {
      lastLines = Lines(capture.Text());
      throw;
    }
    EXPECT_TRUE(result);
    lastLines = Lines(capture.Text());
    return lastLines;
  }

  std::string Creating(const std::string& target) const { return "Creating xnml for " + target; }
  static std::string Writing(const std::string& output) {
    return "<end><cbr>Writing output file: <raw>" + output + "</raw>";
  }

  TempDir tmp;
  std::string reference, rawTarget;
  std::unique_ptr<TRVXInstance> instance;
  std::vector<std::string> lastLines;
};

TEST_F(GlobalExecution, EmptyTargetListIsRefusedSilently) {
  String why;
  EXPECT_FALSE(instance->CanExecuteGlobal(why));
  EXPECT_EQ(why.ToStdUTF8(), "No target images have been defined.");
  ConsoleCapture capture;
  try {
    instance->ExecuteGlobal();
    FAIL() << "no exception";
  } catch (const px::Error& e) {
    EXPECT_EQ(e.Message().ToStdUTF8(), "No target images have been defined.");
  }
  EXPECT_EQ(capture.Text(), "");
  SetTargets({{"/x.xisf", ""}});
  EXPECT_TRUE(instance->CanExecuteGlobal(why));
}

TEST_F(GlobalExecution, EachMissingKeywordEndsOnlyItsTarget) {
  const struct {
    const char* removed;
    std::vector<std::string> lines;
  } cases[] = {
      {"TRVISREF", {Red("**ERROR** TRVXnml failed to read TRVISREF from FITSHeader.")}},
      {"TRVREF0", {Red("**ERROR** TRVXnml failed to read TRVREFx from FITSHeader.")}},
      {"TRVTGT0", {Red("**ERROR** TRVXnml failed to read TRVTGTx from FITSHeader.")}},
      {"TRVWIDTH", {Red("**ERROR** TRVXnml failed to read TRVWIDTH from FITSHeader.")}},
      {"TRVHIGHT", {Red("**ERROR** TRVXnml failed to read TRVHIGHT from FITSHeader.")}},
      {"TRVRESIZ", {Red("**ERROR** TRVXnml failed to read TRVRESIZ from FITSHeader.")}},
      {"TRVPLUS0", {Red("**ERROR** TRVXnml failed to read TRVPLUSx from FITSHeader.")}},
      {"TRVS0", {Red("**ERROR** TRVXnml failed to read TRVSx from FITSHeader.")}},
      {"TRVPSTFX", {Red("**ERROR** TRVXnml failed to read TRVPSTFX from FITSHeader.")}},
      {"TRVWSTR", {Red("**ERROR** TRVXnml failed to read TRVWSTR from FITSHeader.")}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.removed);
    // A directory per case: a file reserved by the bad target would push the
    // good one's name to _1.
    std::string dir = c.removed;
    std::string bad = WriteTarget(dir + "/xnml_bad.xisf", Without(Header(), c.removed));
    std::string good = WriteTarget(dir + "/xnml_good.xisf", Header());
    SetTargets({{bad, ""}, {good, ""}});
    std::vector<std::string> expected{Creating(bad)};
    expected.insert(expected.end(), c.lines.begin(), c.lines.end());
    expected.push_back(Creating(good));
    expected.push_back(Writing(tmp / ("lights/" + dir + "/frame01_n_w.xnml")));
    EXPECT_EQ(Run(), expected);
    EXPECT_TRUE(std::filesystem::exists(tmp / ("lights/" + dir + "/frame01_n_w.xnml")));
    EXPECT_FALSE(std::filesystem::exists(tmp / ("lights/" + dir + "/frame01_n_w_1.xnml")));
  }
}

TEST_F(GlobalExecution, MissingFilesNamedInTheHeader) {
  auto header = Header();
  header[1].value = "'" + (tmp / "ref/missing.xisf") + "'";
  header[2].value = "'bogus'";  // never reached: the target name is not read after a missing reference
  std::string noRef = WriteTarget("xnml_a.xisf", header);
  header = Header();
  header[2].value = "'" + (tmp / "raw/missing.fit") + "'";
  std::string noTgt = WriteTarget("xnml_b.xisf", header);
  header = Header();
  header[1].value = "'" + (tmp / "ref") + "'";  // a directory is not a file
  std::string dirRef = WriteTarget("xnml_c.xisf", header);
  SetTargets({{noRef, ""}, {noTgt, ""}, {dirRef, ""}});
  EXPECT_EQ(Run(), (std::vector<std::string>{
                       Creating(noRef),
                       Red("**ERROR** TRVXnml cannot find reference file:"),
                       Red(tmp / "ref/missing.xisf"),
                       Creating(noTgt),
                       Red("**ERROR** TRVXnml cannot find target file:"),
                       Red(tmp / "raw/missing.fit"),
                       Creating(dirRef),
                       Red("**ERROR** TRVXnml cannot find reference file:"),
                       Red(tmp / "ref"),
                   }));
  EXPECT_FALSE(std::filesystem::exists(tmp / "lights/frame01_n_w.xnml"));
}

TEST_F(GlobalExecution, BlankFileNameInTheHeaderEndsTheExecution) {
  auto header = Header();
  header[1].value = "'\xAC\xAC'";  // two encoded spaces: a name made of blanks only
  std::string target = WriteTarget("xnml_a.xisf", header);
  SetTargets({{target, ""}});
  try {
    Run();
    FAIL() << "no exception";
  } catch (const px::File::Error& e) {
    EXPECT_EQ(e.Message().ToStdUTF8(), "Invalid or empty file name");
  }
  EXPECT_EQ(lastLines, (std::vector<std::string>{Creating(target)}));
}

TEST_F(GlobalExecution, BiasShorterThanScaleIsRejectedPerTarget) {
  auto header = Header();
  header.push_back({"TRVS1", "2", ""});
  header.push_back({"TRVS2", "2", ""});
  std::string rgb = WriteTarget("xnml_rgb.xisf", header, 4, 3, hostapp::ColorSpace::RGB);
  std::string good = WriteTarget("xnml_good.xisf", Header());
  SetTargets({{rgb, ""}, {good, ""}});
  EXPECT_EQ(Run(), (std::vector<std::string>{
                       Creating(rgb),
                       Red("**ERROR** TRVXnml failed to read TRVPLUSx from FITSHeader."),
                       Creating(good),
                       Writing(tmp / "lights/frame01_n_w.xnml"),
                   }));
}

TEST_F(GlobalExecution, ExplicitOutputPathNeedsNoPostfixesAndOverwrites) {
  std::string explicitPath = tmp.Touch("chosen/out.xnml", "old content");
  std::string target =
      WriteTarget("xnml_a.xisf", Without(Without(Header(), "TRVPSTFX"), "TRVWSTR"));
  SetTargets({{target, explicitPath}});
  EXPECT_EQ(Run(), (std::vector<std::string>{Creating(target), Writing(explicitPath)}));
  hostapp::XnmlDocument doc = hostapp::ReadXnmlFile(explicitPath);
  EXPECT_EQ(doc.scale.width, 4u);
  EXPECT_FALSE(std::filesystem::exists(tmp / "chosen/out_1.xnml"));
}

TEST_F(GlobalExecution, WeightPostfixRequiredEvenWhenUnused) {
  instance->useWeightPostfix = 0;
  std::string noWeight = WriteTarget("xnml_a.xisf", Without(Header(), "TRVWSTR"));
  std::string good = WriteTarget("xnml_b.xisf", Header());
  SetTargets({{noWeight, ""}, {good, ""}});
  EXPECT_EQ(Run(), (std::vector<std::string>{
                       Creating(noWeight),
                       Red("**ERROR** TRVXnml failed to read TRVWSTR from FITSHeader."),
                       Creating(good),
                       Writing(tmp / "lights/frame01_n.xnml"),
                   }));
}

TEST_F(GlobalExecution, OutputDirectoryAndUniqueNames) {
  std::string a = WriteTarget("xnml_a.xisf", Header());
  std::string b = WriteTarget("xnml_b.xisf", Header());  // names the same raw frame
  instance->outputDirectory = String::UTF8ToUTF16(tmp.MakeDir("out") + "/");
  SetTargets({{a, ""}, {b, ""}});
  EXPECT_EQ(Run(), (std::vector<std::string>{Creating(a), Writing(tmp / "out/frame01_n_w.xnml"), Creating(b),
                                             Writing(tmp / "out/frame01_n_w_1.xnml")}));
  // With overwriting on, a second run replaces the first file.
  instance->overwriteExistingFiles = 1;
  SetTargets({{a, ""}});
  EXPECT_EQ(Run(), (std::vector<std::string>{Creating(a), Writing(tmp / "out/frame01_n_w.xnml")}));
  EXPECT_FALSE(std::filesystem::exists(tmp / "out/frame01_n_w_2.xnml"));
}

TEST_F(GlobalExecution, UnknownExtensionStopsTheExecution) {
  std::string good = WriteTarget("xnml_good.xisf", Header());
  std::string other = tmp.Touch("lights/xnml_b.tiff");
  std::string later = WriteTarget("xnml_later.xisf", Header());
  SetTargets({{good, ""}, {other, ""}, {later, ""}});
  try {
    Run();
    FAIL() << "no exception";
  } catch (const px::Error& e) {
    EXPECT_EQ(e.Message().ToStdUTF8(),
              "FileFormat: No installed image file format was found for the specified file extension '.tiff' "
              "and access conditions");
  }
  EXPECT_EQ(lastLines, (std::vector<std::string>{Creating(good), Writing(tmp / "lights/frame01_n_w.xnml"),
                                                 Creating(other)}));
  EXPECT_TRUE(std::filesystem::exists(tmp / "lights/frame01_n_w.xnml"));
  EXPECT_FALSE(std::filesystem::exists(tmp / "lights/frame01_n_w_1.xnml"));

  SetTargets({{tmp / "lights/noextension", ""}});
  try {
    Run();
    FAIL() << "no exception";
  } catch (const px::Error& e) {
    EXPECT_EQ(e.Message().ToStdUTF8(), "FileFormat: Empty format name, file extension or MIME type specified");
  }
}

TEST_F(GlobalExecution, UnopenableTargetThrowsCaughtException) {
  std::string broken = tmp.Touch("lights/xnml_broken.xisf", "not an XISF file");
  std::string later = WriteTarget("xnml_later.xisf", Header());
  SetTargets({{broken, ""}, {later, ""}});
  EXPECT_THROW(Run(), px::CaughtException);
  // The host reports why it could not open the file; the driver adds nothing
  // and does not go on with the next target.
  ASSERT_FALSE(lastLines.empty());
  EXPECT_EQ(lastLines[0], Creating(broken));
  for (size_t i = 1; i < lastLines.size(); ++i) {
    EXPECT_FALSE(lastLines[i].starts_with("Creating xnml for ")) << lastLines[i];
    EXPECT_EQ(lastLines[i].find("Writing output file"), std::string::npos) << lastLines[i];
  }
  EXPECT_FALSE(std::filesystem::exists(tmp / "lights/frame01_n_w.xnml"));
}

TEST_F(GlobalExecution, DataSetRejectionEndsTheExecution) {
  // One scale value for an RGB image.
  auto header = Header();
  header.push_back({"TRVPLUS1", "0", ""});
  header.push_back({"TRVPLUS2", "0", ""});
  std::string rgb = WriteTarget("xnml_rgb.xisf", header, 4, 3, hostapp::ColorSpace::RGB);
  SetTargets({{rgb, ""}});
  try {
    Run();
    FAIL() << "no exception";
  } catch (const px::Error& e) {
    EXPECT_EQ(e.Message().ToStdUTF8(), "LocalNormalizationData::SetRelativeScaleFactors(): Incompatible vector lengths.");
  }
  EXPECT_FALSE(std::filesystem::exists(tmp / "lights/frame01_n_w.xnml"));
}

TEST_F(GlobalExecution, RGBTargetRoundTrip) {
  auto header = Header();
  header[0].value = "'false'";
  header.push_back({"TRVPLUS1", "0.5", ""});
  header.push_back({"TRVPLUS2", "-1.25", ""});
  header.push_back({"TRVS1", "2", ""});
  header.push_back({"TRVS2", "'0.5'", ""});
  const uint32_t W = 7, H = 5;
  std::string target = WriteTarget("xnml_rgb.xisf", header, W, H, hostapp::ColorSpace::RGB);
  SetTargets({{target, ""}});
  Run();
  hostapp::XnmlDocument doc = hostapp::ReadXnmlFile(tmp / "lights/frame01_n_w.xnml");
  EXPECT_EQ(doc.referenceImage, reference);
  EXPECT_EQ(doc.targetImage, rawTarget);
  EXPECT_EQ(doc.referenceWidth, 64);
  EXPECT_EQ(doc.referenceHeight, 48);
  EXPECT_EQ(doc.normalizationScale, 16);
  EXPECT_TRUE(doc.bias.empty());
  const double bias[] = {0.25, 0.5, -1.25}, scale[] = {4, 2, 0.5};
  ASSERT_EQ(doc.relativeScaleFactors.size(), 3u);
  ASSERT_EQ(doc.scale.channels.size(), 3u);
  ASSERT_EQ(doc.zeroOffset.channels.size(), 3u);
  EXPECT_EQ(doc.scale.width, W);
  EXPECT_EQ(doc.scale.height, H);
  for (int k = 0; k < 3; ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(doc.relativeScaleFactors[k], 1.0 / scale[k]);
    for (uint32_t i = 0; i < W * H; ++i) {
      float input = 0.001f * float(i) + 0.1f * float(k);
      EXPECT_EQ(doc.scale.channels[k][i], float(1.0 / scale[k]));
      EXPECT_EQ(doc.zeroOffset.channels[k][i], float(bias[k] - double(input)));
    }
  }
}

TEST_F(GlobalExecution, ReferenceFrameKeepsItsSurface) {
  auto header = Header();
  header[0].value = "'true'";
  std::string target = WriteTarget("xnml_ref.xisf", Without(header, "TRVPLUS0"));
  SetTargets({{target, ""}});
  // The bias is still a required keyword, even for the reference frame.
  EXPECT_EQ(Run(), (std::vector<std::string>{Creating(target),
                                             Red("**ERROR** TRVXnml failed to read TRVPLUSx from FITSHeader.")}));
  target = WriteTarget("xnml_ref2.xisf", header);
  SetTargets({{target, ""}});
  Run();
  hostapp::XnmlDocument doc = hostapp::ReadXnmlFile(tmp / "lights/frame01_n_w.xnml");
  ASSERT_EQ(doc.zeroOffset.channels.size(), 1u);
  for (uint32_t i = 0; i < 12; ++i) {
    EXPECT_EQ(doc.scale.channels[0][i], 1.0f);
    EXPECT_EQ(doc.zeroOffset.channels[0][i], 0.001f * float(i));
  }
  EXPECT_EQ(doc.relativeScaleFactors, std::vector<double>{0.25});
}

TEST_F(GlobalExecution, ConsoleIsShownForEachTarget) {
  std::string a = WriteTarget("xnml_a.xisf", Without(Header(), "TRVISREF"));
  std::string b = WriteTarget("xnml_b.xisf", Without(Header(), "TRVISREF"));
  SetTargets({{a, ""}, {b, ""}});
  ConsoleCapture capture;
  EXPECT_TRUE(instance->ExecuteGlobal());
  EXPECT_EQ(capture.ShowCount(), 2);
}

}  // namespace
