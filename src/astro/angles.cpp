#include "astro/angles.h"

#include <cmath>

namespace lumivane {

namespace {
// Into (-turn/2, turn/2], by the fraction of whole turns (perTurn = 1/turn).
double Fold(double degrees, double perTurn, double turn) {
  const double q = degrees * perTurn;
  const double folded = (q - std::floor(q)) * turn;
  return folded > turn / 2 ? folded - turn : folded;
}
}  // namespace

double NormalizeLatitude(double degrees) { return Fold(degrees, kPerHalfTurn, 180); }

double NormalizeLongitude(double degrees) { return Fold(degrees, kPerTurn, 360); }

}  // namespace lumivane
