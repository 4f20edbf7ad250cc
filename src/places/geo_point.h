#pragma once

namespace lumivane {

// A point on the Earth: degrees, latitude in [-90, 90] positive north,
// longitude in [-180, 180] positive east of Greenwich.
struct GeoPoint {
  double latitude = 0;
  double longitude = 0;
};

// The mean radius of the Earth (IUGG), kilometres.
inline constexpr double kEarthRadiusKm = 6371.0088;

// Great-circle distance between two points on a sphere of the Earth's mean
// radius, kilometres (haversine, good at every distance).
double GreatCircleKm(GeoPoint a, GeoPoint b);

}  // namespace lumivane
