#include "hostapp/xisf/XisfShuffle.h"

#include <vector>

namespace hostapp::xisf {

void Shuffle(uint8_t* data, size_t size, size_t itemSize) {
  if (itemSize <= 1 || size < itemSize) return;
  size_t items = size / itemSize;
  std::vector<uint8_t> copy(data, data + items * itemSize);
  for (size_t i = 0; i < items; ++i)
    for (size_t j = 0; j < itemSize; ++j) data[j * items + i] = copy[i * itemSize + j];
}

void Unshuffle(uint8_t* data, size_t size, size_t itemSize) {
  if (itemSize <= 1 || size < itemSize) return;
  size_t items = size / itemSize;
  std::vector<uint8_t> copy(data, data + items * itemSize);
  for (size_t i = 0; i < items; ++i)
    for (size_t j = 0; j < itemSize; ++j) data[i * itemSize + j] = copy[j * items + i];
}

}  // namespace hostapp::xisf
