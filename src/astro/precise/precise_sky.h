#pragma once

#include "astro/lunar_position.h"
#include "astro/unix_time.h"

namespace lumivane {

// The sun and the moon as an accurate ephemeris gives them: apparent
// geocentric places (precession, nutation, aberration) from the IAU's
// standard routines, for the years 1000 to 3000 (PreciseSkyCovers); best
// within 1900-2100, the years ERFA's Earth and moon series are checked over.
struct PreciseSky {
  // The sub-solar and sub-lunar points: apparent declination and Greenwich
  // hour angle, degrees, latitude in [-90, 90], west longitude in (-180, 180].
  SubSolarPoint sun;  // rightAscension: apparent, of date, (-180, 180]
  SubLunarPoint moon;
  // Moon's apparent ecliptic longitude minus the sun's, degrees, (-180, 180];
  // positive while waxing.
  double elongation = 0;
  MoonPhase phase = MoonPhase::New;
  // Share of the moon's disc that is lit, [0, 1].
  double illuminatedFraction = 0;
};

// Whether t lies in the years 1000 to 3000, where the models hold.
bool PreciseSkyCovers(UnixTime t);

// At clock time t, taken as UT1 (within a second of UTC since 1972; the
// shift moves the points by less than 0.004 degrees), with terrestrial time
// from TT - UT1 (DeltaT) as the almanacs model it.
PreciseSky ComputePreciseSky(UnixTime t);

// The same at a Julian date given in both time scales: ut1 for the Earth's
// rotation, tt for the bodies' places.
PreciseSky ComputePreciseSkyAt(double ut1JulianDate, double ttJulianDate);

// TT - UT1 in seconds for a decimal year (1000.5 is the middle of 1000):
// Espenak and Meeus's polynomials from 500 to 2150, which meet within 0.3 s,
// and their long-term parabola before 500 and after 2150.
double DeltaTSeconds(double year);

}  // namespace lumivane
