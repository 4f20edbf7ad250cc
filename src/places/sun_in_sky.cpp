#include "places/sun_in_sky.h"

#include <algorithm>
#include <cmath>

#include "astro/angles.h"
#include "astro/map_geometry.h"

namespace lumivane {

SubSolarPoint MeanSunAt(UnixTime t) { return ComputeSubSolarPoint(t).sun; }

double SunZenithCosine(GeoPoint place, const SubSolarPoint& sun) {
  return MapGeometry::SolarZenithCosine(sun.declination, sun.westLongitude, place.latitude,
                                        -place.longitude);
}

double SunHourAngle(GeoPoint place, const SubSolarPoint& sun) {
  // The sub-solar point's west longitude is the sun's Greenwich hour angle.
  return NormalizeLongitude(sun.westLongitude + place.longitude);
}

SunInSky SunInSkyAt(GeoPoint place, const SubSolarPoint& sun) {
  const double z = SunZenithCosine(place, sun);
  const double hourAngle = SunHourAngle(place, sun) * kDegreesToRadians;
  const double declination = sun.declination * kDegreesToRadians;
  const double latitude = place.latitude * kDegreesToRadians;
  // The bearing of the sub-solar point from the place.
  const double east = -std::cos(declination) * std::sin(hourAngle);
  const double north = std::sin(declination) * std::cos(latitude) -
                       std::cos(declination) * std::cos(hourAngle) * std::sin(latitude);
  double azimuth = std::atan2(east, north) * kRadiansToDegrees;
  if (azimuth < 0) azimuth += 360;
  if (azimuth >= 360) azimuth -= 360;
  return {std::asin(std::clamp(z, -1.0, 1.0)) * kRadiansToDegrees, azimuth,
          DaylightForZenithCosine(z)};
}

}  // namespace lumivane
