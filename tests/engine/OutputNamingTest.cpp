#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <vector>

#include "engine/OutputNaming.h"
#include "file/File.h"
#include "file/TempDir.h"

using px::FITSHeaderKeyword;
using px::FITSKeywordArray;
using px::IsoString;
using px::OutputNaming;
using px::OutputNamingOptions;
using px::String;
using trvx::test::TempDir;

namespace {

String S(const std::string& utf8) { return String::UTF8ToUTF16(utf8); }

const FITSKeywordArray postfixes = {FITSHeaderKeyword("TRVPSTFX", "'_n'"), FITSHeaderKeyword("TRVWSTR", "'_w'")};

TEST(OutputNaming, GeneratedNamesFollowTheOptionsAndReserveTheFile) {
  const struct {
    const char* outputDirectory;  // relative to the temporary directory; null: empty
    bool useWeightPostfix;
    bool overwrite;
    std::vector<std::string> existing;  // in the target's directory
    const char* expected;               // relative to the temporary directory
  } cases[] = {
      {nullptr, true, false, {}, "data/lights/frame01_n_w.xnml"},
      {nullptr, false, false, {}, "data/lights/frame01_n.xnml"},
      {"out", true, false, {}, "out/frame01_n_w.xnml"},
      {"out/", true, false, {}, "out/frame01_n_w.xnml"},
      {nullptr, true, false, {"frame01_n_w.xnml"}, "data/lights/frame01_n_w_1.xnml"},
      {nullptr, true, false, {"frame01_n_w.xnml", "frame01_n_w_1.xnml"}, "data/lights/frame01_n_w_2.xnml"},
      {nullptr, true, true, {"frame01_n_w.xnml"}, "data/lights/frame01_n_w.xnml"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expected);
    TempDir tmp;
    std::string target = tmp.Touch("data/lights/xnml_frame01.xisf");
    tmp.MakeDir("out");
    for (const auto& e : c.existing) tmp.Touch("data/lights/" + e, "old");
    OutputNamingOptions options;
    if (c.outputDirectory) options.outputDirectory = S(tmp / c.outputDirectory);
    options.useWeightPostfix = c.useWeightPostfix;
    options.overwriteExistingFiles = c.overwrite;
    String out, error;
    ASSERT_TRUE(OutputNaming::Resolve(options, S(target), String(), IsoString("/data/raw/frame01.fit"), postfixes,
                                      out, error));
    EXPECT_EQ(out.ToStdUTF8(), tmp / c.expected);
    EXPECT_TRUE(error.IsEmpty());
    ASSERT_TRUE(std::filesystem::is_regular_file(tmp / c.expected));
    // Reserved empty when new; an existing file kept for overwriting is untouched.
    EXPECT_EQ(trvx::test::ReadFileBytes(tmp / c.expected), c.overwrite ? "old" : "");
  }
}

TEST(OutputNaming, BaseNameComesFromTheHeaderTargetName) {
  const struct {
    const char* targetFileName;
    const char* postfix;
    const char* weightPostfix;
    const char* expected;
  } cases[] = {
      {"/raw/a.b.fit", "_n", "_w", "/o/a.b_n_w.xnml"},
      {"/raw/noext", "_n", "_w", "/o/noext_n_w.xnml"},
      {"/raw/frame01.fit", "", "", "/o/frame01.xnml"},
      {"frame01.fit", "_n", "", "/o/frame01_n.xnml"},
      {"/raw/my frame.fit", " x", "_w", "/o/my frame x_w.xnml"},
  };
  OutputNamingOptions options;
  options.outputDirectory = S("/o");
  for (const auto& c : cases)
    EXPECT_EQ(OutputNaming::GeneratedPath(options, S("/elsewhere/xnml_other.xisf"), IsoString(c.targetFileName),
                                          IsoString(c.postfix), IsoString(c.weightPostfix))
                  .ToStdUTF8(),
              c.expected)
        << c.targetFileName;
}

TEST(OutputNaming, DirectoryRules) {
  OutputNamingOptions options;
  auto gen = [&](const char* targetPath) {
    return OutputNaming::GeneratedPath(options, S(targetPath), IsoString("/r/f.fit"), IsoString("_n"),
                                       IsoString("_w"))
        .ToStdUTF8();
  };
  EXPECT_EQ(gen("/xnml_f.xisf"), "/f_n_w.xnml");  // the root keeps its single slash
  // The output directory is taken exactly as stored: not trimmed, not made absolute.
  options.outputDirectory = S("rel/dir");
  EXPECT_EQ(gen("/d/xnml_f.xisf"), "rel/dir/f_n_w.xnml");
  options.outputDirectory = S(" /o ");
  EXPECT_EQ(gen("/d/xnml_f.xisf"), " /o /f_n_w.xnml");
  // A bare target name lies in the current directory.
  TempDir tmp;
  trvx::test::ScopedChdir cd(tmp.Path());
  options.outputDirectory = String();
  EXPECT_EQ(gen("xnml_f.xisf"), tmp / "f_n_w.xnml");
}

TEST(OutputNaming, MissingPostfixKeywordsEndTheTarget) {
  TempDir tmp;
  std::string target = tmp.Touch("xnml_f.xisf");
  const struct {
    FITSKeywordArray keywords;
    bool useWeightPostfix;
    const char* line;
  } cases[] = {
      {{FITSHeaderKeyword("TRVWSTR", "'_w'")}, true, "**ERROR** TRVXnml failed to read TRVPSTFX from FITSHeader."},
      {{}, true, "**ERROR** TRVXnml failed to read TRVPSTFX from FITSHeader."},
      {{FITSHeaderKeyword("TRVPSTFX", "'_n'")}, true, "**ERROR** TRVXnml failed to read TRVWSTR from FITSHeader."},
      {{FITSHeaderKeyword("TRVPSTFX", "'_n'")}, false, "**ERROR** TRVXnml failed to read TRVWSTR from FITSHeader."},
  };
  for (const auto& c : cases) {
    OutputNamingOptions options;
    options.useWeightPostfix = c.useWeightPostfix;
    String out = S("untouched"), error;
    EXPECT_FALSE(
        OutputNaming::Resolve(options, S(target), String(), IsoString("/r/f.fit"), c.keywords, out, error));
    EXPECT_EQ(error.ToStdUTF8(), c.line);
    EXPECT_EQ(out.ToStdUTF8(), "untouched");
  }
  // Nothing was reserved.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(tmp.Path()), {}), 1);
}

TEST(OutputNaming, ExplicitPathNeedsNoKeywordsAndReservesNothing) {
  TempDir tmp;
  std::string explicitPath = tmp.Touch("given.xnml", "old");
  OutputNamingOptions options;  // overwrite off
  String out, error;
  ASSERT_TRUE(OutputNaming::Resolve(options, S(tmp / "xnml_f.xisf"), S(explicitPath), IsoString("/r/f.fit"), {},
                                    out, error));
  EXPECT_EQ(out.ToStdUTF8(), explicitPath);
  EXPECT_EQ(trvx::test::ReadFileBytes(explicitPath), "old");
  EXPECT_FALSE(std::filesystem::exists(tmp / "given_1.xnml"));
  // Stored exactly, even when not clean.
  ASSERT_TRUE(OutputNaming::Resolve(options, S("/t.xisf"), S(" rel//x.xnml"), IsoString(), {}, out, error));
  EXPECT_EQ(out.ToStdUTF8(), " rel//x.xnml");
}

TEST(OutputNaming, SameGeneratedNameTwiceGivesTwoFiles) {
  TempDir tmp;
  std::string target = tmp.Touch("xnml_f.xisf");
  OutputNamingOptions options;
  String first, second, error;
  ASSERT_TRUE(OutputNaming::Resolve(options, S(target), String(), IsoString("/r/f.fit"), postfixes, first, error));
  ASSERT_TRUE(OutputNaming::Resolve(options, S(target), String(), IsoString("/r/f.fit"), postfixes, second, error));
  EXPECT_EQ(first.ToStdUTF8(), tmp / "f_n_w.xnml");
  EXPECT_EQ(second.ToStdUTF8(), tmp / "f_n_w_1.xnml");
  options.overwriteExistingFiles = true;
  ASSERT_TRUE(OutputNaming::Resolve(options, S(target), String(), IsoString("/r/f.fit"), postfixes, second, error));
  EXPECT_EQ(second.ToStdUTF8(), tmp / "f_n_w.xnml");
}

TEST(OutputNaming, UncreatableNameThrowsFileError) {
  TempDir tmp;
  OutputNamingOptions options;
  options.outputDirectory = S(tmp / "missing");
  String out, error;
  try {
    OutputNaming::Resolve(options, S(tmp / "xnml_f.xisf"), String(), IsoString("/r/f.fit"), postfixes, out, error);
    FAIL() << "no exception";
  } catch (const px::File::Error& e) {
    EXPECT_EQ(e.Message().ToStdUTF8(),
              "Unable to create file: " + std::string(std::strerror(ENOENT)) + ": " + (tmp / "missing/f_n_w.xnml"));
  }
}

}  // namespace
