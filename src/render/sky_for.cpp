#include "render/sky_for.h"

#if LUMIVANE_PRECISE_SKY
#include "astro/precise/precise_sky.h"
#endif

namespace lumivane {

SkyPositions SkyFor(bool precise, UnixTime t) {
#if LUMIVANE_PRECISE_SKY
  if (precise && PreciseSkyCovers(t)) {
    const PreciseSky sky = ComputePreciseSky(t);
    return SkyPositions{sky.sun, sky.moon, sky.phase};
  }
#else
  static_cast<void>(precise);
#endif
  return SkyAt(t);
}

SubSolarPoint PreciseSkySunAt(UnixTime t) { return SkyFor(true, t).sun; }

}  // namespace lumivane
