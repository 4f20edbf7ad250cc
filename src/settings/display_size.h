#pragma once

#include <cstdint>

namespace lumivane {

// Size of the shown map and of the world window, pixels.
struct DisplaySize {
  std::int32_t width = 0;
  std::int32_t height = 0;
  friend bool operator==(const DisplaySize&, const DisplaySize&) = default;
};

// Largest display we build: beyond this a frame would take hundreds of
// megabytes (and the sizes would soon overflow 32 bits).
inline constexpr std::int32_t kMaxDisplaySide = 16384;
inline constexpr std::int64_t kMaxDisplayArea = std::int64_t{64} * 1024 * 1024;

// Whether a display of these sides stays within both bounds.
bool FitsDisplay(double width, double height);

// One side: base x scale / 30, formed in double as base x scale x (the double
// nearest 1/30) and truncated toward zero.
double ScaledSide(std::uint32_t base, std::int32_t scale);

// The display size for a base size (size/w, size/h as stored, unsigned) at a
// scale of 1..100. When it would exceed kMaxDisplaySide on a side or
// kMaxDisplayArea in all, the map's native size is the base for both sides;
// a native size that is still too large is shrunk, keeping its proportions,
// until it fits. Each side is at least 1 pixel, so the window never vanishes.
DisplaySize ComputeDisplaySize(std::uint32_t baseWidth, std::uint32_t baseHeight,
                               std::int32_t scale, std::int32_t nativeWidth,
                               std::int32_t nativeHeight);

}  // namespace lumivane
