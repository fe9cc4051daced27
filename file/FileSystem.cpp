// Existence tests and unique output files.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <mutex>

#include "file/File.h"

namespace px {

namespace {

// Status of an existing, accessible path; false on any system failure.
bool Status(const String& path, struct stat& st) {
  std::string utf8 = File::FullPath(path).ToStdUTF8();
  return ::access(utf8.c_str(), F_OK) == 0 && ::stat(utf8.c_str(), &st) == 0;
}

bool ExistsAsFileOrDirectory(const String& path) { return File::Exists(path) || File::DirectoryExists(path); }

void CreateEmpty(const String& path) {
  File file;
  file.Open(path, File::WriteCreate);
  file.Flush();
  file.Close();
}

const char* const inconsistentFilesystem =
    "Internal error: Inconsistent filesystem behavior detected in File::EnsureNewUniqueFile()";

}  // namespace

bool File::Exists(const String& path) {
  String p = path.Trimmed();
  if (p.IsEmpty()) throw Error("Invalid or empty file name", String());
  struct stat st;
  return Status(p, st) && S_ISREG(st.st_mode);
}

bool File::DirectoryExists(const String& path) {
  String p = path.Trimmed();
  if (p.Length() >= 2 && p.EndsWith(u'/')) p = p.Left(p.Length() - 1);
  if (p.IsEmpty()) throw Error("Invalid or empty directory name", String());
  struct stat st;
  return Status(p, st) && S_ISDIR(st.st_mode);
}

File::UniqueFileResult File::EnsureNewUniqueFile(String& path, bool canOverwrite) {
  // Two threads must never pick the same new name.
  static std::mutex mutex;
  std::lock_guard<std::mutex> lock(mutex);

  path = path.Trimmed();
  if (path.IsEmpty()) throw Error("Invalid or empty file name", String());

  UniqueFileResult result;
  if (!ExistsAsFileOrDirectory(path)) {
    if (ExistsAsFileOrDirectory(path)) throw Error(inconsistentFilesystem, path);
    CreateEmpty(path);
    return result;
  }

  result.exists = true;
  if (canOverwrite) {
    result.overwrite = true;
    return result;
  }

  String candidate;
  for (unsigned long n = 1;; ++n) {
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, "_%lu", n);
    candidate = AppendToName(path, String(suffix));
    if (!ExistsAsFileOrDirectory(candidate)) break;
  }
  path = candidate;
  if (ExistsAsFileOrDirectory(path)) throw Error(inconsistentFilesystem, path);
  CreateEmpty(path);
  return result;
}

}  // namespace px
