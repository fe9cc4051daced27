// Base64 (RFC 4648, standard alphabet, '=' padding, no line breaks) written
// straight into an existing 8-bit buffer, for payloads that should not exist
// as a separate string first. IsoString::ToBase64 is the same encoding.
#ifndef TRVX_COMPRESSION_BASE64_H
#define TRVX_COMPRESSION_BASE64_H

#include <cstddef>
#include <string>

namespace px {

// Length of the Base64 text of `size` bytes.
constexpr size_t Base64Length(size_t size) { return (size + 2) / 3 * 4; }

// Appends the Base64 text of `size` bytes at `data` to `out`. Nothing when
// `data` is null or `size` is 0. Thread-safe.
void AppendBase64(std::string& out, const void* data, size_t size);

}  // namespace px

#endif
