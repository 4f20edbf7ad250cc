#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "astro/unix_time.h"
#include "places/geo_point.h"
#include "places/place_list.h"
#include "places/sun_in_sky.h"
#include "places/time_zones.h"

namespace lumivane {

// The sub-solar point of the precise ephemeris, as --precise draws it.
SubSolarPoint PreciseSunAt(UnixTime t);

// How far a listed place may be from the point to be named with it.
inline constexpr double kNearestPlaceKm = 100;

// The sun at the point at that time and its events over that UTC day, with
// the nearest listed place and its local time, as one JSON object: every
// number reads back to the same double, times are ISO 8601 in UTC, an event
// that does not happen that day is null.
std::string PlaceJson(GeoPoint point, UnixTime time, SunAt sunAt, const PlaceList& places,
                      const TimeZones& zones);

// The best matches for the name, at most `limit`, one a line:
// name, country, LAT,LON and zone, separated by tabs. Empty when none match.
std::string FoundPlacesText(const PlaceList& places, std::string_view name, std::size_t limit);

}  // namespace lumivane
