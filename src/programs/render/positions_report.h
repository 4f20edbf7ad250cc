#pragma once

#include <string>

#include "astro/unix_time.h"

namespace lumivane {

// The sun, the moon and the moon's phase at the given time as one JSON
// object; every number reads back to the same double.
std::string PositionsJson(UnixTime time);

// The same object from the precise ephemeris, with "illuminatedFraction"
// (0..1) after the phase.
std::string PrecisePositionsJson(UnixTime time);

}  // namespace lumivane
