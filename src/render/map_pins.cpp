#include "render/map_pins.h"

#include <algorithm>

#include "astro/map_geometry.h"

namespace lumivane {

namespace {

constexpr std::int32_t kPinSizeDivisor = 2400;

}  // namespace

std::int32_t PinMarkerSize(std::int32_t scale, std::int32_t mapWidth) {
  const std::int64_t size = std::int64_t{scale} * mapWidth / kPinSizeDivisor;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(size, 1, 1 << 16));
}

PinPixel PinPlace(const PixelRect& area, const MapPin& pin) {
  // The map counts longitude positive west.
  std::int64_t column = MapGeometry::WestLongitudeToColumn(area.width, -pin.longitude);
  if (area.width > 0) column = ((column % area.width) + area.width) % area.width;
  const std::int64_t row = MapGeometry::LatitudeToRow(area.height, pin.latitude);
  return PinPixel{static_cast<std::int32_t>(area.x + column),
                  static_cast<std::int32_t>(std::clamp<std::int64_t>(
                      area.y + row, area.y - 1, std::int64_t{area.y} + area.height))};
}

RowSpan PinRows(const PixelRect& area, const MapPin& pin, std::int32_t size) {
  const std::int64_t top = std::int64_t{PinPlace(area, pin).y} - size / 2;
  return RowSpan{top, top + size};
}

std::optional<std::size_t> PinAt(const PixelRect& area, const std::vector<MapPin>& pins,
                                 std::int32_t size, std::int32_t x, std::int32_t y) {
  if (area.width <= 0 || area.height <= 0) return std::nullopt;
  constexpr std::int32_t kSmallestTarget = 5;
  const std::int64_t side = std::max(size, kSmallestTarget);
  for (std::size_t i = pins.size(); i-- > 0;) {
    const PinPixel centre = PinPlace(area, pins[i]);
    const std::int64_t top = std::int64_t{centre.y} - side / 2;
    // Columns count round the map from the dot's left edge.
    const std::int64_t fromLeft =
        ((std::int64_t{x} - centre.x + side / 2) % area.width + area.width) % area.width;
    if (y >= top && y < top + side && fromLeft < side) return i;
  }
  return std::nullopt;
}

void DrawPins(Image& picture, const PixelRect& area, const std::vector<MapPin>& pins,
              std::int32_t size) {
  if (area.width <= 0 || area.height <= 0) return;
  const std::int32_t outline = std::max(1, size / 5);
  // The map's rows and the picture's, whichever ends first.
  const std::int64_t firstRow = std::max<std::int64_t>(area.y, 0);
  const std::int64_t endRow =
      std::min<std::int64_t>(std::int64_t{area.y} + area.height, picture.height());
  for (const MapPin& pin : pins) {
    const PinPixel centre = PinPlace(area, pin);
    const std::int64_t left = std::int64_t{centre.x} - size / 2;
    const std::int64_t top = std::int64_t{centre.y} - size / 2;
    for (std::int64_t dy = 0; dy < size; ++dy) {
      const std::int64_t y = top + dy;
      if (y < firstRow || y >= endRow) continue;
      Pixel* row = picture.row(static_cast<std::int32_t>(y));
      for (std::int64_t dx = 0; dx < size; ++dx) {
        const std::int64_t mapColumn =
            ((left + dx - area.x) % area.width + area.width) % area.width;
        const std::int64_t x = area.x + mapColumn;
        if (x < 0 || x >= picture.width()) continue;
        const bool edge =
            dx < outline || dy < outline || dx >= size - outline || dy >= size - outline;
        row[x] = edge ? kPinOutline : kPinMiddle;
      }
    }
  }
}

}  // namespace lumivane
