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

std::int32_t InDevicePixels(std::int32_t length, double devicePixelRatio) {
  if (!(devicePixelRatio > 1.0)) return length;
  return Scaled(length, std::min(devicePixelRatio, kLargestRatio));
}

FrameOptions AtDevicePixelRatio(FrameOptions options, double devicePixelRatio) {
  options.width = InDevicePixels(options.width, devicePixelRatio);
  options.height = InDevicePixels(options.height, devicePixelRatio);
  // Markers follow the map's width; a map that many times wider gives
  // markers that many times larger.
  options.markerMapWidth = InDevicePixels(options.markerMapWidth, devicePixelRatio);
  return options;
}

}  // namespace lumivane
