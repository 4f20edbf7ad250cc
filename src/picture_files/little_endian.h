#pragma once

#include <cstdint>
#include <vector>

namespace lumivane {

// Appends the low 16 bits, or all 32, of value, least significant byte
// first: how bitmap files store their numbers.
inline void AppendLittleEndian16(std::vector<std::uint8_t>& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void AppendLittleEndian32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  AppendLittleEndian16(out, value & 0xFFFFu);
  AppendLittleEndian16(out, value >> 16);
}

}  // namespace lumivane
