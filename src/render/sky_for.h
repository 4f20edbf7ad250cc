#pragma once

#include "astro/unix_time.h"
#include "render/compose_frame.h"

namespace lumivane {

// Where the sun and the moon stand at time t: the clock's mean formulas, or,
// when precise is asked for, the precise ephemeris within the years it covers
// (1000 to 3000; outside them, and in a build without it, the mean formulas).
SkyPositions SkyFor(bool precise, UnixTime t);

// The sun alone from SkyFor with precise asked for, as a plain function for
// callers that take the sun's model as one.
SubSolarPoint PreciseSkySunAt(UnixTime t);

}  // namespace lumivane
