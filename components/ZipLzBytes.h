#pragma once
// Byte helpers and item constants shared by the LZRW1 block encoder and decoder.
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace ziplz {

constexpr uint8_t StoredFlag = 0x80;
constexpr uint8_t CodedFlag = 0x40;
constexpr size_t MaxMatchLength = 18;
constexpr size_t MinMatchLength = 3;
constexpr size_t MinRunLength = 16;

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "words are read little-endian");

inline uint64_t Load64(const uint8_t* p) {
  uint64_t v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

inline void Copy8(uint8_t* to, const uint8_t* from) {
  std::memcpy(to, from, 8);
}

inline void Store16BigEndian(uint8_t* p, unsigned value) {
  p[0] = static_cast<uint8_t>(value >> 8);
  p[1] = static_cast<uint8_t>(value);
}

inline unsigned Load16BigEndian(const uint8_t* p) {
  return (unsigned{p[0]} << 8) | p[1];
}

}  // namespace ziplz
