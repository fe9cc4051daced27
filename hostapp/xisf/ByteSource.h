// Random-access bytes of one XISF file: an open file or a memory buffer.
// Read is const and safe to call from several threads at once.
#ifndef TRVX_HOSTAPP_XISF_BYTESOURCE_H
#define TRVX_HOSTAPP_XISF_BYTESOURCE_H

#include <cstdint>
#include <memory>
#include <string>

namespace hostapp::xisf {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual uint64_t Size() const = 0;
  // Copies `size` bytes at `offset` into `out`. Throws XisfError when the
  // range lies outside the source or the read fails.
  virtual void Read(uint64_t offset, size_t size, uint8_t* out) const = 0;
};

// Opens a regular file for reading; it stays open while the source lives.
// Throws XisfError ("cannot open the file: ...").
std::unique_ptr<ByteSource> OpenFileSource(const std::string& utf8Path);
std::unique_ptr<ByteSource> MemorySource(std::string bytes);

}  // namespace hostapp::xisf

#endif
