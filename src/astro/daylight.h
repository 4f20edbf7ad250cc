#pragma once

namespace lumivane {

// Sines of the sun's depths below the horizon that end civil, nautical and
// astronomical twilight: 6, 12 and 18 degrees.
inline constexpr double kSinCivilTwilightDepth = 0.10452846326765347;
inline constexpr double kSinNauticalTwilightDepth = 0.20791169081775931;
inline constexpr double kSinAstronomicalTwilightDepth = 0.30901699437494740;

// How light it is where the sun's centre has altitude h: day from h >= 0 (the
// map's terminator), civil twilight for 0 > h > -6 degrees, nautical for
// -6 >= h > -12, astronomical for -12 >= h > -18, night from -18 on.
enum class Daylight { Day, CivilTwilight, NauticalTwilight, AstronomicalTwilight, Night };

// The band for the cosine of the sun's zenith angle (sin h), as the map's
// twilight shading draws it.
Daylight DaylightForZenithCosine(double zenithCosine);

}  // namespace lumivane
