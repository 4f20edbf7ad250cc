#pragma once

#include <cstdint>

namespace lumivane {

// The largest map picture any program accepts, in decoded pixels.
inline constexpr std::int64_t kMaxMapPixels = std::int64_t{1} << 28;

}  // namespace lumivane
