#include "render/device_pixels.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace lumivane {
namespace {

// Screens are scaled by a few times at most; this only keeps a wild ratio
// from overflowing the sizes.
constexpr double kLargestRatio = 16.0;

std::int32_t Scaled(std::int32_t length, double ratio) {
  return static_cast<std::int32_t>(std::lround(static_cast<double>(length) * ratio));
}

}  // namespace

FrameOptions AtDevicePixelRatio(FrameOptions options, double devicePixelRatio) {
  if (!(devicePixelRatio > 1.0)) return options;
  const double ratio = std::min(devicePixelRatio, kLargestRatio);
  options.width = Scaled(options.width, ratio);
  options.height = Scaled(options.height, ratio);
  // Markers follow the map's width; a map that many times wider gives
  // markers that many times larger.
  options.markerMapWidth = Scaled(options.markerMapWidth, ratio);
  return options;
}

}  // namespace lumivane
