// A fresh directory under the system's temporary directory, removed with
// everything in it when the object is destroyed; and a scoped change of the
// working directory.
#ifndef TRVX_TESTS_FILE_TEMPDIR_H
#define TRVX_TESTS_FILE_TEMPDIR_H

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace trvx::test {

class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "trvx-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    // Canonical, so that it compares equal to the paths the module makes absolute.
    path_ = std::filesystem::canonical(pattern).string();
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

  // Creates a file (and missing parent directories) with the given bytes.
  std::string Touch(const std::string& name, const std::string& content = std::string()) const {
    std::string p = *this / name;
    std::filesystem::create_directories(std::filesystem::path(p).parent_path());
    std::ofstream(p, std::ios::binary) << content;
    return p;
  }
  std::string MakeDir(const std::string& name) const {
    std::string p = *this / name;
    std::filesystem::create_directories(p);
    return p;
  }

 private:
  std::string path_;
};

class ScopedChdir {
 public:
  explicit ScopedChdir(const std::string& dir) : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(dir);
  }
  ~ScopedChdir() {
    std::error_code ec;
    std::filesystem::current_path(previous_, ec);
  }

 private:
  std::filesystem::path previous_;
};

inline std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace trvx::test

#endif
