#include "app/pointer_tooltip.h"

#include "astro/map_geometry.h"
#include "places/map_tooltip.h"
#include "render/compose_frame.h"
#include "render/map_pins.h"
#include "render/sky_for.h"

namespace lumivane {

std::string PointerTooltip(const ClockSettings& settings, std::int32_t mapWidth, UnixTime frameTime,
                           UnixTime t, const PlaceList& places, const TimeZones& zones,
                           std::int32_t x, std::int32_t y) {
  const std::int32_t width = settings.displayWidth;
  const std::int32_t height = settings.displayHeight;
  if (x < 0 || y < 0 || x >= width || y >= height) return {};
  const SunAt sunAt = settings.preciseSky ? PreciseSkySunAt : MeanSunAt;
  // The column of the unturned map the pointer is over, as the frame shown
  // was turned.
  std::int32_t column = x;
  if (settings.sunCentered) {
    const std::int32_t shift = SunCenteredShift(width, sunAt(frameTime).westLongitude);
    column = static_cast<std::int32_t>(((std::int64_t{x} - shift) % width + width) % width);
  }
  const PixelRect area{0, 0, width, height};
  const auto pin = PinAt(area, settings.pins, PinMarkerSize(settings.scale, mapWidth), column, y);
  if (pin) {
    const MapPin& found = settings.pins[*pin];
    const GeoPoint point{found.latitude, found.longitude};
    if (settings.pinNames) return MapTooltipText(point, found.label, t, sunAt, places, zones);
    return MapTooltipText(point, std::nullopt, t, sunAt, places, zones);
  }
  const GeoPoint point{MapGeometry::RowToLatitude(y, height),
                       -MapGeometry::ColumnToWestLongitude(column, width)};
  return MapTooltipText(point, std::nullopt, t, sunAt, places, zones);
}

}  // namespace lumivane
