#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace lumivane {

// Truncates toward zero like a C cast, but saturates at the int32 limits and
// maps NaN to 0 where a cast would be undefined.
inline std::int32_t TruncateToInt32(double value) {
  if (std::isnan(value)) return 0;
  constexpr double kMin = std::numeric_limits<std::int32_t>::min();
  constexpr double kMax = std::numeric_limits<std::int32_t>::max();
  if (value <= kMin) return std::numeric_limits<std::int32_t>::min();
  if (value >= kMax) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(value);
}

}  // namespace lumivane
