// Directory scan for image files the host can handle.
#include <dirent.h>
#include <sys/stat.h>

#include <memory>

#include "file/File.h"
#include "host/FileFormat.h"

namespace px {

namespace {

struct DirCloser {
  void operator()(DIR* d) const { ::closedir(d); }
};

void ScanDirectory(const String& root, const String& dir, bool toRead, bool toWrite, bool recursive,
                   bool followLinks, std::vector<String>& files) {
  std::unique_ptr<DIR, DirCloser> handle(::opendir(dir.ToStdUTF8().c_str()));
  if (!handle) return;
  std::vector<String> subdirectories;
  // The root directory's own path ends with "/" already.
  String prefix = dir.EndsWith(u'/') ? dir : dir + u"/";
  while (const dirent* entry = ::readdir(handle.get())) {
    std::string_view name(entry->d_name);
    if (name == "." || name == "..") continue;
    String path = prefix + String::UTF8ToUTF16(name);
    struct stat st;
    if (::lstat(path.ToStdUTF8().c_str(), &st) != 0) continue;
    if (S_ISLNK(st.st_mode)) {
      if (!followLinks) continue;
    } else if (S_ISDIR(st.st_mode)) {
      if (recursive) subdirectories.push_back(path);
      continue;
    }
    if (FileFormat::IsSupportedFileName(path, toRead, toWrite)) files.push_back(path);
  }
  handle.reset();
  for (const String& sub : subdirectories)
    if (sub.StartsWith(root.View())) ScanDirectory(root, sub, toRead, toWrite, recursive, followLinks, files);
}

}  // namespace

std::vector<String> FileFormat::SupportedImageFiles(const String& directory, bool toRead, bool toWrite,
                                                    bool recursive, bool followLinks) {
  std::vector<String> files;
  String dir = directory.Trimmed();
  if (dir.Length() >= 2 && dir.EndsWith(u'/')) dir = dir.Left(dir.Length() - 1);
  if (dir.IsEmpty()) return files;
  dir = File::FullPath(dir);
  ScanDirectory(dir, dir, toRead, toWrite, recursive, followLinks, files);
  return files;
}

}  // namespace px
