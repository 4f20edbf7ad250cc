#pragma once

#include "astro/unix_time.h"

namespace lumivane {

// Where the sun stands over the Earth. All angles in degrees.
struct SubSolarPoint {
  double declination = 0;     // positive north, (-90, 90]
  double westLongitude = 0;   // positive west of Greenwich, from mean solar
                              // time; [-180, 179.9958045] (not folded: the
                              // rotation rate is a hair under 1/240)
  double rightAscension = 0;  // eastward from the March equinox, [-180, 180]
};

// Intermediate values that the lunar computation reuses.
struct SolarEphemeris {
  double T = 0;  // Julian centuries of 36525 days since J2000.0 (UTC, no
                 // leap-second or dynamical-time correction)
  double cosObliquity = 0;
  double sinObliquity = 0;
};

struct SolarPosition {
  SubSolarPoint sun;
  SolarEphemeris ephemeris;
};

// The sub-solar point at clock time t: low-accuracy solar coordinates with a
// fixed obliquity, and the sub-solar longitude from mean solar time (no
// equation of time). Finite for every t.
SolarPosition ComputeSubSolarPoint(UnixTime t);

}  // namespace lumivane
