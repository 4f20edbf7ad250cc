#pragma once

// Pictures and options the frame tests build their frames from.

#include <cstdint>

#include "render/compose_frame.h"
#include "render/image.h"

namespace lumivane {

constexpr UnixTime kNoon2000 = 946728000;  // 2000-01-01 12:00 UTC, sun over Greenwich
constexpr Pixel kSunColour = 0xF0C828;

// Square markers that fill their whole square: mask all black, image one
// colour (never black, a different one per phase), so every drawn pixel is
// exactly that colour.
inline MarkerImages SquareMarkers() {
  MarkerImages markers;
  markers.sunMask = Image(kSunMarkerSize, kSunMarkerSize, 0);
  markers.sunImage = Image(kSunMarkerSize, kSunMarkerSize, kSunColour);
  markers.moonMask = Image(kMoonMarkerSize, kMoonMarkerSize, 0);
  markers.moonNew = Image(kMoonMarkerSize, kMoonMarkerSize, MakePixel(110, 110, 144));
  markers.moonFirstQuarter = Image(kMoonMarkerSize, kMoonMarkerSize, MakePixel(1, 2, 3));
  markers.moonFull = Image(kMoonMarkerSize, kMoonMarkerSize, MakePixel(220, 215, 235));
  markers.moonLastQuarter = Image(kMoonMarkerSize, kMoonMarkerSize, MakePixel(4, 5, 6));
  return markers;
}

// A map whose pixels say where they are, so a misplaced copy shows.
inline Image CoordinateMap(std::int32_t width, std::int32_t height) {
  Image map(width, height);
  for (std::int32_t y = 0; y < height; ++y) {
    for (std::int32_t x = 0; x < width; ++x) map.at(x, y) = MakePixel(x % 251, y % 253, 90);
  }
  return map;
}

// A stretched frame with both markers at the given scale, sized for a 400-wide map.
inline FrameOptions MarkedFrameOptions(std::int32_t scale, std::int32_t width,
                                       std::int32_t height) {
  FrameOptions options;
  options.width = width;
  options.height = height;
  options.nightDarkness = 50;
  options.markerScale = scale;
  options.markerMapWidth = 400;
  options.showSun = true;
  options.showMoon = true;
  return options;
}

}  // namespace lumivane
