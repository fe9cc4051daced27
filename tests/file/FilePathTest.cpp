#include <gtest/gtest.h>

#include "core/Exception.h"
#include "file/File.h"
#include "file/TempDir.h"

using px::File;
using px::String;

namespace {

std::string U8(const String& s) { return s.ToStdUTF8(); }

struct PathCase {
  const char* path;
  const char* directory;
  const char* name;
  const char* extension;
  const char* nameAndExtension;
};

TEST(FilePath, ExtractsPartsOfPaths) {
  const PathCase cases[] = {
      {"/data/raw/a.b.fit", "/data/raw", "a.b", ".fit", "a.b.fit"},
      {"/x.fit", "/", "x", ".fit", "x.fit"},
      {".hidden", "", "", ".hidden", ".hidden"},
      {"plain", "", "plain", "", "plain"},
      {"/d/noext", "/d", "noext", "", "noext"},
      {"/d.dir/noext", "/d.dir", "noext", "", "noext"},
      {"/d/sub/", "/d/sub", "", "", ""},
      {"/", "/", "", "", ""},
      {"rel/f.xnml", "rel", "f", ".xnml", "f.xnml"},
      {"", "", "", "", ""},
  };
  for (const PathCase& c : cases) {
    SCOPED_TRACE(c.path);
    String p(c.path);
    EXPECT_EQ(U8(File::ExtractDrive(p)), "");
    EXPECT_EQ(U8(File::ExtractDirectory(p)), c.directory);
    EXPECT_EQ(U8(File::ExtractName(p)), c.name);
    EXPECT_EQ(U8(File::ExtractExtension(p)), c.extension);
    EXPECT_EQ(U8(File::ExtractNameAndExtension(p)), c.nameAndExtension);
  }
}

TEST(FilePath, AppendToNameGoesInFrontOfTheExtension) {
  const struct {
    const char* path;
    const char* text;
    const char* expected;
  } cases[] = {
      {"/d/f.xnml", "_1", "/d/f_1.xnml"},
      {"/d/f", "_1", "/d/f_1"},
      {"/d/a.b.fit", "_x", "/d/a.b_x.fit"},
      {"/d.dir/f", "_2", "/d.dir/f_2"},
      {"/d/", "_3", "/d/_3"},
  };
  for (const auto& c : cases) EXPECT_EQ(U8(File::AppendToName(String(c.path), String(c.text))), c.expected) << c.path;
}

TEST(FilePath, ExtractionWorksOnNonLatinNames) {
  String p = String::UTF8ToUTF16("/daten/\xE6\x98\x9F/bild.xisf");
  EXPECT_EQ(U8(File::ExtractDirectory(p)), "/daten/\xE6\x98\x9F");
  EXPECT_EQ(U8(File::ExtractName(p)), "bild");
}

TEST(FilePath, FullPathCleansAbsolutePaths) {
  const struct {
    const char* path;
    const char* expected;
  } cases[] = {
      {"/a/b/c", "/a/b/c"},
      {"  /a/b/\t", "/a/b"},
      {"/a//b///c/", "/a/b/c"},
      {"/a/./b/./", "/a/b"},
      {"/a/b/../c", "/a/c"},
      {"/a\\b\\c", "/a/b/c"},
      {"/", "/"},
      {"//", "/"},
      {"/..", "/"},
      {"/a/../../b", "/b"},
      {"", ""},
      {"   ", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(U8(File::FullPath(String(c.path))), c.expected) << c.path;
}

TEST(FilePath, FullPathResolvesRelativePathsAgainstTheWorkingDirectory) {
  trvx::test::TempDir tmp;
  std::string w = tmp.MakeDir("w");
  trvx::test::ScopedChdir cd(w);
  EXPECT_EQ(U8(File::FullPath(String("a/./b/../c"))), w + "/a/c");
  EXPECT_EQ(U8(File::FullPath(String("f.xnml"))), w + "/f.xnml");
  EXPECT_EQ(U8(File::FullPath(String(".."))), tmp.Path());
  EXPECT_EQ(U8(File::FullPath(String("."))), w);
}

}  // namespace
