#pragma once

#include <optional>

#include "astro/unix_time.h"
#include "places/geo_point.h"
#include "places/sun_in_sky.h"

namespace lumivane {

// The sun's centre at sunrise and sunset: the upper limb on the horizon
// with the standard refraction of 34' and a semi-diameter of 16'.
inline constexpr double kSunriseAltitudeDegrees = -0.833;
// The sun's centre at civil dawn and dusk.
inline constexpr double kCivilTwilightAltitudeDegrees = -6;

// The sun neither rises nor sets within the day.
enum class PolarDay { None, Day, Night };

// The sun's events at a place within one UTC day, each as the first whole
// second at or past the moment (absent when it does not happen that day; the
// first of two when it happens twice).
struct SunEvents {
  std::optional<UnixTime> sunrise;    // the centre rises through -0.833 degrees
  std::optional<UnixTime> sunset;     // and sets through it
  std::optional<UnixTime> solarNoon;  // the sun crosses the meridian
  std::optional<UnixTime> civilDawn;  // the centre rises through -6 degrees
  std::optional<UnixTime> civilDusk;  // and sets through it
  // Day: the sun stays above -0.833 degrees all day; Night: below it.
  PolarDay polar = PolarDay::None;
};

// The UTC day that holds t: from its midnight, 86400 seconds long.
UnixTime UtcDayStart(UnixTime t);

// The events of the UTC day starting at dayStart (a UTC midnight, within a
// few billion years of 1970), with the sun from the given model. The
// altitude is sampled every quarter of an hour and cut into stretches where
// it only rises or only falls, at its turning points found to the second, so
// a sun that only grazes a limit is still seen; each crossing is then
// narrowed to the second by bisection.
SunEvents SunEventsOnDay(GeoPoint place, UnixTime dayStart, SunAt sunAt);

}  // namespace lumivane
