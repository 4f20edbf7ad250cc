#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "astro/unix_time.h"
#include "places/geo_point.h"
#include "places/place_list.h"
#include "places/sun_in_sky.h"
#include "places/time_zones.h"

namespace lumivane {

// How far the tooltip looks for a listed place around the pointer.
inline constexpr double kTooltipPlaceKm = 100;

// What the map's tooltip says about a point at time t, one line each:
// - what is there: the pin's label when the pointer is on a pin (its
//   coordinates when it has none), else the nearest listed place within
//   100 km ("London, GB"), else the coordinates ("51.51° N, 0.13° W");
// - the local date and time with the zone's abbreviation, in the zone of the
//   nearest listed place (UTC when there is none or the zone is unknown);
// - the sun's state there and its altitude ("Day, sun 38.3° high");
// - the local day's sunrise and sunset to the minute, or "Sun up all day" /
//   "Sun down all day".
// pinLabel is absent when no pin is under the pointer.
std::string MapTooltipText(GeoPoint point, const std::optional<std::string_view>& pinLabel,
                           UnixTime t, SunAt sunAt, const PlaceList& places,
                           const TimeZones& zones);

// "51.51° N, 0.13° W": two decimals, the hemispheres as letters.
std::string CoordinatesText(GeoPoint point);

// "2026-09-23 13:00 BST": the local date and time at a point, in the zone of
// the nearest listed place within 100 km (UTC when there is none or its zone
// is unknown), as the tooltip's second line.
std::string LocalClockText(GeoPoint point, UnixTime t, const PlaceList& places,
                           const TimeZones& zones);

}  // namespace lumivane
