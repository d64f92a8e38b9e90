// SHA-1 and SHA-256 digests for the password scrambles of the MySQL client protocol. Small and
// self-contained so that the protocol core stays platform-neutral and testable natively.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

using Sha1Digest = std::array<uint8_t, 20>;
using Sha256Digest = std::array<uint8_t, 32>;

Sha1Digest Sha1(const void* data, size_t size);
Sha256Digest Sha256(const void* data, size_t size);

inline Sha1Digest Sha1(const std::string& bytes) {
  return Sha1(bytes.data(), bytes.size());
}
inline Sha256Digest Sha256(const std::string& bytes) {
  return Sha256(bytes.data(), bytes.size());
}

template <size_t N>
std::string DigestBytes(const std::array<uint8_t, N>& digest) {
  return std::string(digest.begin(), digest.end());
}
