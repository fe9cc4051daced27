#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "core/Exception.h"
#include "file/File.h"
#include "file/FileErrorOf.h"
#include "file/TempDir.h"

using px::File;
using px::IsoString;
using px::String;
using trvx::test::FileErrorOf;
using trvx::test::TempDir;

namespace {

String S(const std::string& utf8) { return String::UTF8ToUTF16(utf8); }

TEST(FileError, ReportsMessageAndPath) {
  File::Error withPath(S("Unable to close file"), S("/d/f.xnml"));
  EXPECT_EQ(withPath.Message().ToStdUTF8(), "Unable to close file: /d/f.xnml");
  EXPECT_EQ(withPath.ExceptionClass().ToStdUTF8(), "File I/O Error");
  EXPECT_EQ(withPath.FormatInfo().ToStdUTF8(), "File I/O Error: Unable to close file: /d/f.xnml");
  File::Error noPath(S("Invalid or empty file name"), String());
  EXPECT_EQ(noPath.Message().ToStdUTF8(), "Invalid or empty file name");
  // Catchable as the class library's Error.
  try {
    throw File::Error(S("x"), S("/p"));
  } catch (const px::Error& e) {
    EXPECT_EQ(e.Message().ToStdUTF8(), "x: /p");
  }
}

TEST(WriteTextFile, ReplacesTheWholeContent) {
  TempDir tmp;
  std::string p = tmp.Touch("out.xnml", "a much longer previous content");
  File::WriteTextFile(S(p), IsoString("<xml/>\n\xAC"));
  EXPECT_EQ(trvx::test::ReadFileBytes(p), "<xml/>\n\xAC");
  File::WriteTextFile(S(p), IsoString());
  EXPECT_TRUE(std::filesystem::exists(p));
  EXPECT_EQ(std::filesystem::file_size(p), 0u);
}

TEST(WriteTextFile, NonLatinPathsReachTheSystemAsUTF8) {
  TempDir tmp;
  std::string p = tmp / "\xE6\x98\x9F \xC3\xA9.xnml";
  File::WriteTextFile(S(p), IsoString("x"));
  EXPECT_EQ(trvx::test::ReadFileBytes(p), "x");
}

TEST(WriteTextFile, MissingDirectoryFailsWithTheSystemText) {
  TempDir tmp;
  std::string p = tmp / "nodir/out.xnml";
  EXPECT_EQ(FileErrorOf([&] { File::WriteTextFile(S(p), IsoString("x")); }),
            "Unable to create file: " + std::string(std::strerror(ENOENT)) + ": " + p);
}

TEST(FileObject, StateErrors) {
  File f;
  EXPECT_EQ(FileErrorOf([&] { f.Write("x", 1); }), "File::Write(): File must be open.");
  EXPECT_EQ(FileErrorOf([&] { f.Flush(); }), "File::Flush(): File must be open.");
  EXPECT_NO_THROW(f.Close());
  EXPECT_EQ(FileErrorOf([&] { f.Open(String(), File::WriteCreate); }), "Invalid or empty file name");

  TempDir tmp;
  std::string p = tmp.Touch("in.fit", "abc");
  f.Open(S(p), File::ModeRead);
  EXPECT_TRUE(f.IsOpen());
  EXPECT_EQ(FileErrorOf([&] { f.Write("x", 1); }), "File::Write(): File is open in read-only mode: " + p);
  EXPECT_EQ(FileErrorOf([&] { f.Flush(); }), "File::Flush(): File is open in read-only mode: " + p);
  f.Close();
  EXPECT_FALSE(f.IsOpen());
  EXPECT_EQ(trvx::test::ReadFileBytes(p), "abc");

  EXPECT_EQ(FileErrorOf([&] { f.Open(S(tmp / "missing.fit"), File::ModeRead); }),
            "Unable to open file: " + std::string(std::strerror(ENOENT)) + ": " + (tmp / "missing.fit"));
}

TEST(FileObject, RecordsTheFullPathAndWritesInOrder) {
  TempDir tmp;
  trvx::test::ScopedChdir cd(tmp.Path());
  tmp.MakeDir("sub");
  File f;
  f.Open(S("./sub/../out.bin"), File::WriteCreate);
  EXPECT_EQ(f.FilePath().ToStdUTF8(), tmp / "out.bin");
  f.Write("ab", 2);
  f.Write("ignored", 0);
  f.Write("ignored", -5);
  f.Write("cd", 2);
  f.Flush();
  f.Close();
  EXPECT_EQ(trvx::test::ReadFileBytes(tmp / "out.bin"), "abcd");
}

TEST(FileObject, ReopeningClosesThePreviousStream) {
  TempDir tmp;
  File f;
  f.Open(S(tmp / "a"), File::WriteCreate);
  f.Write("1", 1);
  f.Open(S(tmp / "b"), File::WriteCreate);  // flushes and closes "a"
  f.Write("2", 1);
  f.Close();
  EXPECT_EQ(trvx::test::ReadFileBytes(tmp / "a"), "1");
  EXPECT_EQ(trvx::test::ReadFileBytes(tmp / "b"), "2");
}

TEST(FileObject, SystemWriteFailuresCarryTheSystemText) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "/dev/full not available";
  File f;
  f.Open(S("/dev/full"), File::WriteCreate);
  f.Write("x", 1);  // buffered; the device refuses it on flush
  EXPECT_EQ(FileErrorOf([&] { f.Flush(); }), "File flush failed: " + std::string(std::strerror(ENOSPC)) + ": /dev/full");
}

}  // namespace
