#include "astro/map_geometry.h"

#include <cmath>
#include <limits>

#include "astro/angles.h"
#include "astro/truncate.h"

namespace lumivane::MapGeometry {

double RowToLatitude(std::int32_t row, std::int32_t height) {
  return 90 - (static_cast<double>(row) / static_cast<double>(height)) * 180;
}

double ColumnToWestLongitude(std::int32_t column, std::int32_t width) {
  return 180 - (static_cast<double>(column) / static_cast<double>(width)) * 360;
}

std::int32_t LatitudeToRow(std::int32_t height, double latitude) {
  // Negating a saturated INT32_MIN would overflow; the product is <= 0 for
  // every latitude up to 90, so only absurd inputs get near the limits.
  const std::int32_t t = TruncateToInt32(((latitude - 90) * kPerHalfTurn) * height);
  return t == std::numeric_limits<std::int32_t>::min() ? std::numeric_limits<std::int32_t>::max()
                                                       : -t;
}

std::int32_t WestLongitudeToColumn(std::int32_t width, double westLongitude) {
  const std::int32_t t = TruncateToInt32(((westLongitude - 180) * kPerTurn) * width);
  return t == std::numeric_limits<std::int32_t>::min() ? std::numeric_limits<std::int32_t>::max()
                                                       : -t;
}

double SolarZenithCosine(double declination, double sunWestLongitude, double latitude,
                         double westLongitude) {
  const double a = declination * kDegreesToRadians;
  const double b = sunWestLongitude * kDegreesToRadians;
  const double p = latitude * kDegreesToRadians;
  const double q = westLongitude * kDegreesToRadians;
  return (std::sin(q) * std::cos(p)) * (std::sin(b) * std::cos(a)) +
         (std::cos(q) * std::cos(p)) * (std::cos(b) * std::cos(a)) + std::sin(p) * std::sin(a);
}

}  // namespace lumivane::MapGeometry
