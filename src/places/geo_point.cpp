#include "places/geo_point.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace lumivane {

double GreatCircleKm(GeoPoint a, GeoPoint b) {
  constexpr double kRadiansPerDegree = std::numbers::pi / 180;
  const double sinHalfLatitude = std::sin((b.latitude - a.latitude) * kRadiansPerDegree / 2);
  const double sinHalfLongitude = std::sin((b.longitude - a.longitude) * kRadiansPerDegree / 2);
  const double h =
      sinHalfLatitude * sinHalfLatitude + std::cos(a.latitude * kRadiansPerDegree) *
                                              std::cos(b.latitude * kRadiansPerDegree) *
                                              sinHalfLongitude * sinHalfLongitude;
  return 2 * kEarthRadiusKm * std::asin(std::sqrt(std::clamp(h, 0.0, 1.0)));
}

}  // namespace lumivane
