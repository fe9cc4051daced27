// Backing large buffers with transparent huge pages. On machines where first
// touches of fresh memory are expensive (one fault per 4 KiB page), asking
// for 2 MiB pages makes filling a buffer of hundreds of MiB several times
// faster. Only advice: the kernel may ignore it, and nothing else changes.
#ifndef TRVX_CORE_HUGEPAGES_H
#define TRVX_CORE_HUGEPAGES_H

#include <sys/mman.h>

#include <cstddef>
#include <cstdint>

namespace px {

// Advises huge pages for the whole pages inside [data, data + size) when the
// buffer is large. REQUIRES: the buffer has not been written yet (advice is
// taken at the first touch of each page).
inline void AdviseHugePages(void* data, size_t size) {
  constexpr size_t kMinimum = size_t(8) << 20;
  constexpr uintptr_t kPage = 4096;
  if (data == nullptr || size < kMinimum) return;
  uintptr_t begin = (reinterpret_cast<uintptr_t>(data) + kPage - 1) & ~(kPage - 1);
  uintptr_t end = (reinterpret_cast<uintptr_t>(data) + size) & ~(kPage - 1);
  if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}

}  // namespace px

#endif
