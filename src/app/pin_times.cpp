#include "app/pin_times.h"

#include "places/map_tooltip.h"

namespace lumivane {

std::string PinTimesText(const std::vector<MapPin>& pins, UnixTime t, const PlaceList& places,
                         const TimeZones& zones) {
  if (pins.empty()) return {};
  std::string text = " Pinned places: ";
  for (std::size_t i = 0; i < pins.size(); ++i) {
    const GeoPoint point{pins[i].latitude, pins[i].longitude};
    if (i > 0) text += "; ";
    text += pins[i].label.empty() ? CoordinatesText(point) : pins[i].label;
    text += ", " + LocalClockText(point, t, places, zones);
  }
  return text + ".";
}

}  // namespace lumivane
