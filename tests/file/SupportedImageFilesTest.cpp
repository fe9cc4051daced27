#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "file/File.h"
#include "file/TempDir.h"
#include "host/FileFormat.h"
#include "support/InProcessHost.h"

using px::FileFormat;
using px::String;
using trvx::test::TempDir;

namespace {

std::vector<std::string> Scan(const std::string& dir, bool toWrite, bool recursive, bool followLinks) {
  std::vector<std::string> out;
  for (const String& s : FileFormat::SupportedImageFiles(String::UTF8ToUTF16(dir), true, toWrite, recursive,
                                                         followLinks))
    out.push_back(s.ToStdUTF8());
  return out;
}

std::vector<std::string> Sorted(std::vector<std::string> v) {
  std::sort(v.begin(), v.end());
  return v;
}

class SupportedImageFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    trvx::test::InProcessHost::Bind();
    tmp.Touch("a.xisf");
    tmp.Touch("notes.txt");
    tmp.Touch("noext");
    tmp.Touch("sub/b.xisf");
    tmp.Touch("sub/deeper/c.xisf");
    tmp.Touch("sub/skip.fit");
    outside.Touch("linked.xisf");
    outside.Touch("linkeddir/d.xisf");
    std::filesystem::create_symlink(outside / "linked.xisf", tmp / "link.xisf");
    std::filesystem::create_directory_symlink(outside / "linkeddir", tmp / "dirlink.xisf");
  }
  TempDir tmp, outside;
};

TEST_F(SupportedImageFiles, ListsReadableFormatsRecursively) {
  std::vector<std::string> files = Scan(tmp.Path(), false, true, false);
  EXPECT_EQ(Sorted(files), (std::vector<std::string>{tmp / "a.xisf", tmp / "sub/b.xisf", tmp / "sub/deeper/c.xisf"}));
  // A directory's own files come before those of its subdirectories.
  auto pos = [&](const std::string& p) { return std::find(files.begin(), files.end(), p) - files.begin(); };
  EXPECT_LT(pos(tmp / "a.xisf"), pos(tmp / "sub/b.xisf"));
  EXPECT_LT(pos(tmp / "sub/b.xisf"), pos(tmp / "sub/deeper/c.xisf"));
}

TEST_F(SupportedImageFiles, Options) {
  EXPECT_EQ(Scan(tmp.Path(), false, false, false), (std::vector<std::string>{tmp / "a.xisf"}));
  // Followed links are files, never entered as directories.
  EXPECT_EQ(Sorted(Scan(tmp.Path(), false, false, true)),
            (std::vector<std::string>{tmp / "a.xisf", tmp / "dirlink.xisf", tmp / "link.xisf"}));
  // The stand-in host's only format cannot write.
  EXPECT_TRUE(Scan(tmp.Path(), true, true, false).empty());
  // A trailing slash and surrounding blanks are accepted; blank gives nothing.
  EXPECT_EQ(Scan(" " + tmp.Path() + "/sub/ ", false, false, false), (std::vector<std::string>{tmp / "sub/b.xisf"}));
  EXPECT_TRUE(Scan("  ", false, true, false).empty());
  EXPECT_TRUE(Scan(tmp / "missing", false, true, false).empty());
}

TEST_F(SupportedImageFiles, RelativeDirectoriesGiveFullPaths) {
  trvx::test::ScopedChdir cd(tmp.Path());
  EXPECT_EQ(Scan("sub/deeper", false, true, false), (std::vector<std::string>{tmp / "sub/deeper/c.xisf"}));
}

}  // namespace
