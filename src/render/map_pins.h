#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "render/image.h"
#include "render/image_ops.h"

namespace lumivane {

// A place the user pinned on the map: degrees, latitude positive north,
// longitude positive east of Greenwich (as people write them, unlike the
// map's west-positive longitudes).
struct MapPin {
  double latitude = 0;
  double longitude = 0;
  std::string label;  // may be empty
  friend bool operator==(const MapPin&, const MapPin&) = default;
};

// A pin is drawn light in a dark outline, so that it shows on the day side
// and the night side alike; its name the same way.
inline constexpr Pixel kPinMiddle = MakePixel(0xFF, 0xE0, 0x40);
inline constexpr Pixel kPinOutline = MakePixel(0x10, 0x10, 0x10);

// The pin's side in pixels, scaled like the sun and moon markers:
// trunc(scale x mapWidth / 2400), 5 at scale 30 on the 400-pixel map, and
// never less than 1.
std::int32_t PinMarkerSize(std::int32_t scale, std::int32_t mapWidth);

// The pixel of the map in area that holds the pin's point: column from the
// longitude, row from the latitude, both counted from the area's corner; the
// column is taken modulo the area's width (east 180 is the left edge).
struct PinPixel {
  std::int32_t x = 0;
  std::int32_t y = 0;
  friend bool operator==(const PinPixel&, const PinPixel&) = default;
};
PinPixel PinPlace(const PixelRect& area, const MapPin& pin);

// The rows [top, end) of the frame a pin of this size covers.
struct RowSpan {
  std::int64_t top = 0;
  std::int64_t end = 0;
};
RowSpan PinRows(const PixelRect& area, const MapPin& pin, std::int32_t size);

// The pin whose dot holds the pixel (x, y) of the picture, the last one
// drawn (the one on top) when several do; dots smaller than 5 pixels are
// found within 5 all the same, so the pointer can rest on them.
std::optional<std::size_t> PinAt(const PixelRect& area, const std::vector<MapPin>& pins,
                                 std::int32_t size, std::int32_t x, std::int32_t y);

// Each pin as a size x size dot centred on its pixel: a light middle in a
// dark outline, wrapped round the map's left and right edges (the map is a
// cylinder) and cut at its top and bottom and at the picture's edges.
void DrawPins(Image& picture, const PixelRect& area, const std::vector<MapPin>& pins,
              std::int32_t size);

}  // namespace lumivane
