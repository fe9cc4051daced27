#include "hostapp/xisf/ByteSource.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "hostapp/xisf/XisfTypes.h"

namespace hostapp::xisf {
namespace {

void CheckRange(uint64_t offset, size_t size, uint64_t total) {
  if (offset > total || size > total - offset)
    throw XisfError("read at " + std::to_string(offset) + "+" + std::to_string(size) +
                    " lies outside the file (size " + std::to_string(total) + ")");
}

class FileSource : public ByteSource {
 public:
  FileSource(int fd, uint64_t size) : fd_(fd), size_(size) {}
  ~FileSource() override { ::close(fd_); }
  uint64_t Size() const override { return size_; }
  void Read(uint64_t offset, size_t size, uint8_t* out) const override {
    CheckRange(offset, size, size_);
    while (size > 0) {
      ssize_t n = ::pread(fd_, out, size, off_t(offset));
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) throw XisfError(std::string("read error: ") + std::strerror(errno));
      if (n == 0) throw XisfError("the file became shorter while it was read");
      out += n;
      offset += uint64_t(n);
      size -= size_t(n);
    }
  }

 private:
  int fd_;
  uint64_t size_;
};

class BufferSource : public ByteSource {
 public:
  explicit BufferSource(std::string bytes) : bytes_(std::move(bytes)) {}
  uint64_t Size() const override { return bytes_.size(); }
  void Read(uint64_t offset, size_t size, uint8_t* out) const override {
    CheckRange(offset, size, bytes_.size());
    if (size > 0) std::memcpy(out, bytes_.data() + offset, size);
  }

 private:
  std::string bytes_;
};

}  // namespace

std::unique_ptr<ByteSource> OpenFileSource(const std::string& utf8Path) {
  int fd = ::open(utf8Path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw XisfError(std::string("cannot open the file: ") + std::strerror(errno));
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    throw XisfError("not a regular file");
  }
  return std::make_unique<FileSource>(fd, uint64_t(st.st_size));
}

std::unique_ptr<ByteSource> MemorySource(std::string bytes) {
  return std::make_unique<BufferSource>(std::move(bytes));
}

}  // namespace hostapp::xisf
