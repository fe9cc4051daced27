// Growable-once byte buffer for shuffled data and compressed subblocks.
// Unlike std::vector<uint8_t> it does not zero-fill bytes that are about to
// be overwritten, and it can give back unused capacity in place (realloc),
// which matters for channels of tens of MiB.
#ifndef TRVX_COMPRESSION_BYTEARRAY_H
#define TRVX_COMPRESSION_BYTEARRAY_H

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#include "core/HugePages.h"

namespace px {

// Owns its storage. Copies are deep; moves leave the source empty.
// Thread safety: none (one owner at a time).
class ByteArray {
 public:
  ByteArray() = default;
  // `size` uninitialised bytes. Throws std::bad_alloc.
  explicit ByteArray(size_t size) { Allocate(size); }
  // A copy of `size` bytes at `data`. REQUIRES: data != null when size > 0.
  ByteArray(const void* data, size_t size) {
    Allocate(size);
    if (size > 0) std::memcpy(data_, data, size);
  }
  ByteArray(const ByteArray& other) : ByteArray(other.data_, other.size_) {}
  ByteArray(ByteArray&& other) noexcept
      : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}
  ByteArray& operator=(ByteArray other) noexcept {
    std::swap(data_, other.data_);
    std::swap(size_, other.size_);
    return *this;
  }
  ~ByteArray() { std::free(data_); }

  size_t Size() const { return size_; }
  bool IsEmpty() const { return size_ == 0; }
  uint8_t* Data() { return data_; }
  const uint8_t* Data() const { return data_; }
  const uint8_t* begin() const { return data_; }
  const uint8_t* end() const { return data_ + size_; }
  uint8_t& operator[](size_t i) { return data_[i]; }
  uint8_t operator[](size_t i) const { return data_[i]; }

  // Keeps the first `size` bytes and releases the rest of the storage.
  // REQUIRES: size <= Size().
  void Truncate(size_t size) {
    if (size >= size_) return;
    if (size == 0) {
      Clear();
      return;
    }
    if (void* p = std::realloc(data_, size)) data_ = static_cast<uint8_t*>(p);
    size_ = size;
  }

  // Releases the storage.
  void Clear() {
    std::free(data_);
    data_ = nullptr;
    size_ = 0;
  }

  friend bool operator==(const ByteArray& a, const ByteArray& b) {
    return a.size_ == b.size_ && (a.size_ == 0 || std::memcmp(a.data_, b.data_, a.size_) == 0);
  }

 private:
  void Allocate(size_t size) {
    if (size == 0) return;
    data_ = static_cast<uint8_t*>(std::malloc(size));
    if (data_ == nullptr) throw std::bad_alloc();
    AdviseHugePages(data_, size);
    size_ = size;
  }

  uint8_t* data_ = nullptr;
  size_t size_ = 0;
};

}  // namespace px

#endif
