// The configuration layers an engine session works on: aliases derived from the ODBC data
// sources (virtual), the configuration file (persistent) and the session's own (session).
#pragma once

#include <cstdint>
#include <initializer_list>

enum TConfigMode : uint8_t { cfmVirtual, cfmPersistent, cfmSession };

class TConfigModes {
 public:
  constexpr TConfigModes() = default;
  constexpr TConfigModes(std::initializer_list<TConfigMode> modes) {
    for (TConfigMode mode : modes) bits_ = static_cast<uint8_t>(bits_ | (1u << mode));
  }
  static constexpr TConfigModes FromBits(uint32_t bits) {
    TConfigModes modes;
    modes.bits_ = static_cast<uint8_t>(bits & 7u);
    return modes;
  }

  constexpr bool Contains(TConfigMode mode) const { return (bits_ >> mode) & 1u; }
  constexpr uint32_t Bits() const { return bits_; }
  constexpr bool operator==(const TConfigModes& other) const { return bits_ == other.bits_; }
  constexpr bool operator!=(const TConfigModes& other) const { return bits_ != other.bits_; }

 private:
  uint8_t bits_ = 0;
};
