#include "astro/daylight.h"

namespace lumivane {

Daylight DaylightForZenithCosine(double zenithCosine) {
  if (zenithCosine >= 0) return Daylight::Day;
  if (zenithCosine > -kSinCivilTwilightDepth) return Daylight::CivilTwilight;
  if (zenithCosine > -kSinNauticalTwilightDepth) return Daylight::NauticalTwilight;
  if (zenithCosine > -kSinAstronomicalTwilightDepth) return Daylight::AstronomicalTwilight;
  return Daylight::Night;
}

}  // namespace lumivane
