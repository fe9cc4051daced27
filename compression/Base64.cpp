// RFC 4648 Base64, standard alphabet, '=' padding.
#include "compression/Base64.h"

#include <cstdint>
#include <cstring>

#include "core/IsoString.h"

namespace px {

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Two output characters per 12 input bits: one lookup in an 8 KiB table
// instead of two in the alphabet.
struct PairTable {
  char v[4096][2] = {};
  constexpr PairTable() {
    for (int i = 0; i < 4096; ++i) {
      v[i][0] = kAlphabet[i >> 6];
      v[i][1] = kAlphabet[i & 63];
    }
  }
};
constexpr PairTable kPairs;

// Encodes whole 3-byte groups; returns the characters written (4 per group).
inline size_t EncodeGroups(char* out, const uint8_t* in, size_t groups) {
  char* o = out;
  for (size_t g = 0; g < groups; ++g, in += 3, o += 4) {
    uint32_t v = uint32_t(in[0]) << 16 | uint32_t(in[1]) << 8 | uint32_t(in[2]);
    std::memcpy(o, kPairs.v[v >> 12], 2);
    std::memcpy(o + 2, kPairs.v[v & 0xFFF], 2);
  }
  return size_t(o - out);
}

}  // namespace

void AppendBase64(std::string& out, const void* data, size_t size) {
  if (data == nullptr || size == 0) return;
  const uint8_t* in = static_cast<const uint8_t*>(data);
  out.reserve(out.size() + Base64Length(size));

  // Encode through a small stack buffer and append it: the large output is
  // written once, instead of being zero-filled by resize() and then
  // overwritten.
  constexpr size_t kChunkGroups = 4096;
  char chunk[kChunkGroups * 4];
  size_t groups = size / 3;
  while (groups > 0) {
    size_t n = groups < kChunkGroups ? groups : kChunkGroups;
    out.append(chunk, EncodeGroups(chunk, in, n));
    in += n * 3;
    groups -= n;
  }

  size_t rest = size % 3;
  if (rest > 0) {
    uint32_t v = uint32_t(in[0]) << 16 | (rest == 2 ? uint32_t(in[1]) << 8 : 0);
    char tail[4] = {kAlphabet[v >> 18], kAlphabet[(v >> 12) & 63], rest == 2 ? kAlphabet[(v >> 6) & 63] : '=', '='};
    out.append(tail, 4);
  }
}

IsoString IsoString::ToBase64(const void* data, size_t size) {
  std::string text;
  AppendBase64(text, data, size);
  return IsoString(std::move(text));
}

}  // namespace px
