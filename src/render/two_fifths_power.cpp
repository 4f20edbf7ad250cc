#include "render/two_fifths_power.h"

#include <cmath>

namespace lumivane {

const TwoFifthsPower& TwoFifthsPower::Instance() {
  static const TwoFifthsPower power;
  return power;
}

TwoFifthsPower::TwoFifthsPower() {
  for (int i = 0; i < kEntries; ++i) {
    const double centre = 1 + (i + 0.5) / kEntries;
    centrePower_[i] = std::pow(centre, 0.4);
    inverseCentre_[i] = 1 / centre;
  }
  for (int r = 0; r < 5; ++r) fifthsOfTwo_[r] = std::pow(2.0, r / 5.0);
}

}  // namespace lumivane
