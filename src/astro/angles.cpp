#include "astro/angles.h"

#include <cmath>

namespace lumivane {

namespace {
constexpr double kPerHalfTurn = 0.005555555555555556;  // 1/180
constexpr double kPerTurn = 0.002777777777777778;      // 1/360
}  // namespace

double NormalizeLatitude(double degrees) {
  const double q = degrees * kPerHalfTurn;
  const double fraction = q - std::floor(q);
  double folded = fraction * 180;
  if (folded > 90) folded -= 180;
  return folded;
}

double NormalizeLongitude(double degrees) {
  const double q = degrees * kPerTurn;
  const double fraction = q - std::floor(q);
  double folded = fraction * 360;
  if (folded > 180) folded -= 360;
  return folded;
}

}  // namespace lumivane
