// Byte shuffling of XISF data blocks: byte j of item i moves to j*items + i,
// which groups the similar bytes of neighbouring samples before compression.
#ifndef TRVX_HOSTAPP_XISF_XISFSHUFFLE_H
#define TRVX_HOSTAPP_XISF_XISFSHUFFLE_H

#include <cstddef>
#include <cstdint>

namespace hostapp::xisf {

// In place over items of `itemSize` bytes; trailing bytes that do not fill
// an item stay where they are.
void Shuffle(uint8_t* data, size_t size, size_t itemSize);
void Unshuffle(uint8_t* data, size_t size, size_t itemSize);

}  // namespace hostapp::xisf

#endif
