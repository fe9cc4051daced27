#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <set>
#include <thread>
#include <vector>

#include "core/Exception.h"
#include "file/File.h"
#include "file/FileErrorOf.h"
#include "file/TempDir.h"

using px::File;
using px::String;
using trvx::test::FileErrorOf;
using trvx::test::TempDir;

namespace {

String S(const std::string& utf8) { return String::UTF8ToUTF16(utf8); }

TEST(FileExistence, DistinguishesFilesFromDirectories) {
  TempDir tmp;
  std::string file = tmp.Touch("f.fit", "x");
  std::string dir = tmp.MakeDir("sub");
  EXPECT_TRUE(File::Exists(S(file)));
  EXPECT_FALSE(File::Exists(S(dir)));
  EXPECT_TRUE(File::DirectoryExists(S(dir)));
  EXPECT_TRUE(File::DirectoryExists(S(dir + "/")));
  EXPECT_FALSE(File::DirectoryExists(S(file)));
  EXPECT_FALSE(File::Exists(S(tmp / "missing")));
  EXPECT_FALSE(File::DirectoryExists(S(tmp / "missing")));
  EXPECT_TRUE(File::Exists(S("  " + file + "\t")));
  EXPECT_TRUE(File::DirectoryExists(S("/")));
}

TEST(FileExistence, RelativeNamesResolveAgainstTheWorkingDirectory) {
  TempDir tmp;
  tmp.Touch("d/f.fit");
  trvx::test::ScopedChdir cd(tmp.Path());
  EXPECT_TRUE(File::Exists(S("d/f.fit")));
  EXPECT_TRUE(File::Exists(S("d/../d/./f.fit")));
  EXPECT_TRUE(File::DirectoryExists(S("d")));
}

TEST(FileExistence, BlankNamesThrow) {
  EXPECT_EQ(FileErrorOf([] { File::Exists(S("   ")); }), "Invalid or empty file name");
  EXPECT_EQ(FileErrorOf([] { File::Exists(S("")); }), "Invalid or empty file name");
  EXPECT_EQ(FileErrorOf([] { File::DirectoryExists(S(" \t")); }), "Invalid or empty directory name");
}

TEST(UniqueFile, FreeNameIsCreatedEmpty) {
  TempDir tmp;
  String path = S("  " + (tmp / "f.xnml") + " ");
  File::UniqueFileResult r = File::EnsureNewUniqueFile(path, false);
  EXPECT_EQ(path.ToStdUTF8(), tmp / "f.xnml");  // trimmed in place
  EXPECT_FALSE(r.exists);
  EXPECT_FALSE(r.overwrite);
  ASSERT_TRUE(std::filesystem::is_regular_file(tmp / "f.xnml"));
  EXPECT_EQ(std::filesystem::file_size(tmp / "f.xnml"), 0u);
}

TEST(UniqueFile, TakenNamesGetTheFirstFreeSuffix) {
  const struct {
    const char* name;
    std::vector<std::string> files;
    std::vector<std::string> dirs;
    const char* expected;
  } cases[] = {
      {"f.xnml", {"f.xnml"}, {}, "f_1.xnml"},
      {"f.xnml", {"f.xnml", "f_1.xnml"}, {}, "f_2.xnml"},
      {"f.xnml", {"f.xnml", "f_2.xnml"}, {}, "f_1.xnml"},
      {"f.xnml", {}, {"f.xnml"}, "f_1.xnml"},
      {"f.xnml", {"f.xnml"}, {"f_1.xnml"}, "f_2.xnml"},
      {"f", {"f"}, {}, "f_1"},
      {"a.b.xnml", {"a.b.xnml"}, {}, "a.b_1.xnml"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expected);
    TempDir tmp;
    for (const auto& f : c.files) tmp.Touch(f, "old");
    for (const auto& d : c.dirs) tmp.MakeDir(d);
    String path = S(tmp / c.name);
    File::UniqueFileResult r = File::EnsureNewUniqueFile(path, false);
    EXPECT_EQ(path.ToStdUTF8(), tmp / c.expected);
    EXPECT_TRUE(r.exists);
    EXPECT_FALSE(r.overwrite);
    ASSERT_TRUE(std::filesystem::is_regular_file(tmp / c.expected));
    EXPECT_EQ(std::filesystem::file_size(tmp / c.expected), 0u);
    // The taken name is left alone.
    if (!c.files.empty() && c.files[0] == c.name) {
      EXPECT_EQ(trvx::test::ReadFileBytes(tmp / c.name), "old");
    }
  }
}

TEST(UniqueFile, OverwriteKeepsTheNameAndTheFile) {
  TempDir tmp;
  tmp.Touch("f.xnml", "old");
  String path = S(tmp / "f.xnml");
  File::UniqueFileResult r = File::EnsureNewUniqueFile(path, true);
  EXPECT_EQ(path.ToStdUTF8(), tmp / "f.xnml");
  EXPECT_TRUE(r.exists);
  EXPECT_TRUE(r.overwrite);
  EXPECT_EQ(trvx::test::ReadFileBytes(tmp / "f.xnml"), "old");
  EXPECT_FALSE(std::filesystem::exists(tmp / "f_1.xnml"));
}

TEST(UniqueFile, Errors) {
  TempDir tmp;
  String blank = S("  ");
  EXPECT_EQ(FileErrorOf([&] { File::EnsureNewUniqueFile(blank, false); }), "Invalid or empty file name");
  String uncreatable = S(tmp / "missing/f.xnml");
  std::string msg = FileErrorOf([&] { File::EnsureNewUniqueFile(uncreatable, false); });
  EXPECT_EQ(msg, "Unable to create file: " + std::string(std::strerror(ENOENT)) + ": " + (tmp / "missing/f.xnml"));
}

TEST(UniqueFile, ConcurrentCallersNeverShareAName) {
  TempDir tmp;
  constexpr int threads = 4, perThread = 10;
  std::vector<std::vector<std::string>> names(threads);
  std::vector<std::thread> pool;
  for (int t = 0; t < threads; ++t)
    pool.emplace_back([&, t] {
      for (int i = 0; i < perThread; ++i) {
        String path = S(tmp / "same.xnml");
        File::EnsureNewUniqueFile(path, false);
        names[t].push_back(path.ToStdUTF8());
      }
    });
  for (auto& th : pool) th.join();
  std::set<std::string> all;
  for (auto& v : names) all.insert(v.begin(), v.end());
  EXPECT_EQ(all.size(), size_t(threads * perThread));
  EXPECT_TRUE(all.count(tmp / "same.xnml"));
  EXPECT_TRUE(all.count(tmp / ("same_" + std::to_string(threads * perThread - 1) + ".xnml")));
}

}  // namespace
