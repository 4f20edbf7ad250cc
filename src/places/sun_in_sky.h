#pragma once

#include "astro/daylight.h"
#include "astro/solar_position.h"
#include "astro/unix_time.h"
#include "places/geo_point.h"

namespace lumivane {

// Where the sun stands over the Earth at clock time t: the picture's mean
// sun (MeanSunAt) or a more precise one that the caller links in, so this
// layer builds where the precise ephemeris does not.
using SunAt = SubSolarPoint (*)(UnixTime t);

// The sub-solar point of the mean model the clock draws by default.
SubSolarPoint MeanSunAt(UnixTime t);

// The sun's centre as seen from a place: geometric (no refraction), degrees.
struct SunInSky {
  double altitude = 0;  // above the horizon, [-90, 90]
  double azimuth = 0;   // from north through east, [0, 360)
  Daylight daylight = Daylight::Day;
};

// From the sub-solar point, with the same zenith cosine the map's shading
// takes, so the place's daylight is the band the map draws there.
SunInSky SunInSkyAt(GeoPoint place, const SubSolarPoint& sun);

// The cosine of the sun's zenith angle (sine of its altitude) at a place.
double SunZenithCosine(GeoPoint place, const SubSolarPoint& sun);

// The sun's local hour angle at a place: degrees, (-180, 180], 0 when the sun
// crosses the meridian, growing westward with time.
double SunHourAngle(GeoPoint place, const SubSolarPoint& sun);

}  // namespace lumivane
