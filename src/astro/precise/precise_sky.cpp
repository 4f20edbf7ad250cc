#include "astro/precise/precise_sky.h"

#include <cmath>

#include <erfa.h>
#include <erfam.h>

#include "astro/angles.h"

namespace lumivane {

namespace {

constexpr double kUnixEpochDaysBeforeJ2000 = 10957.5;
constexpr double kSecondsPerDay = 86400;
constexpr double kDaysPerYear = 365.25;
constexpr double kJ2000Year = 2000.0;

// A vector in astronomical units and its length.
struct Direction {
  double unit[3];
  double distance;
};

Direction DirectionOf(double p[3]) {
  Direction d{};
  eraPn(p, &d.distance, d.unit);
  return d;
}

// Ecliptic longitude of date (mean ecliptic and equinox), radians, of a
// GCRS direction. Nutation shifts both bodies alike, so their difference is
// the same on the true ecliptic.
double EclipticLongitude(double rotation[3][3], double gcrs[3]) {
  double ecliptic[3];
  eraRxp(rotation, gcrs, ecliptic);
  return std::atan2(ecliptic[1], ecliptic[0]);
}

double Degrees(double radians) { return radians * ERFA_DR2D; }

}  // namespace

double DeltaTSeconds(double year) {
  // Espenak and Meeus, "Five Millennium Canon of Solar Eclipses" (NASA
  // TP-2006-214141), section 2.6; powers of t in ascending order.
  const auto longTerm = [](double y) {
    const double u = (y - 1820) / 100;
    return -20 + 32 * u * u;
  };
  if (year < 500) return longTerm(year);
  if (year < 1600) {
    const double u = (year - 1000) / 100;
    return 1574.2 +
           u * (-556.01 +
                u * (71.23472 +
                     u * (0.319781 + u * (-0.8503463 + u * (-0.005050998 + u * 0.0083572073)))));
  }
  if (year < 1700) {
    const double t = year - 1600;
    return 120 + t * (-0.9808 + t * (-0.01532 + t / 7129));
  }
  if (year < 1800) {
    const double t = year - 1700;
    return 8.83 + t * (0.1603 + t * (-0.0059285 + t * (0.00013336 - t / 1174000)));
  }
  if (year < 1860) {
    const double t = year - 1800;
    return 13.72 +
           t * (-0.332447 +
                t * (0.0068612 +
                     t * (0.0041116 +
                          t * (-0.00037436 +
                               t * (0.0000121272 + t * (-0.0000001699 + t * 0.000000000875))))));
  }
  if (year < 1900) {
    const double t = year - 1860;
    return 7.62 +
           t * (0.5737 + t * (-0.251754 + t * (0.01680668 + t * (-0.0004473624 + t / 233174))));
  }
  if (year < 1920) {
    const double t = year - 1900;
    return -2.79 + t * (1.494119 + t * (-0.0598939 + t * (0.0061966 + t * -0.000197)));
  }
  if (year < 1941) {
    const double t = year - 1920;
    return 21.20 + t * (0.84493 + t * (-0.076100 + t * 0.0020936));
  }
  if (year < 1961) {
    const double t = year - 1950;
    return 29.07 + t * (0.407 + t * (-1 / 233.0 + t / 2547));
  }
  if (year < 1986) {
    const double t = year - 1975;
    return 45.45 + t * (1.067 + t * (-1 / 260.0 - t / 718));
  }
  if (year < 2005) {
    const double t = year - 2000;
    return 63.86 +
           t * (0.3345 + t * (-0.060374 + t * (0.0017275 + t * (0.000651814 + t * 0.00002373599))));
  }
  if (year < 2050) {
    const double t = year - 2000;
    return 62.92 + t * (0.32217 + t * 0.005589);
  }
  if (year < 2150) return longTerm(year) - 0.5628 * (2150 - year);
  return longTerm(year);
}

bool PreciseSkyCovers(UnixTime t) {
  constexpr UnixTime kYear1000 = -30610224000;  // 1000-01-01T00:00:00Z
  constexpr UnixTime kYear3001 = 32535216000;   // 3001-01-01T00:00:00Z
  return t >= kYear1000 && t < kYear3001;
}

PreciseSky ComputePreciseSky(UnixTime t) {
  const double ut1Days = static_cast<double>(t) / kSecondsPerDay - kUnixEpochDaysBeforeJ2000;
  // Julian years from J2000.0: within 0.08 years of the mid-month year the
  // polynomials are tabulated for, under 0.5 s of DeltaT, over 1000-3000.
  const double year = kJ2000Year + ut1Days / kDaysPerYear;
  const double ttDays = ut1Days + DeltaTSeconds(year) / kSecondsPerDay;
  return ComputePreciseSkyAt(ERFA_DJ00 + ut1Days, ERFA_DJ00 + ttDays);
}

PreciseSky ComputePreciseSkyAt(double ut1JulianDate, double ttJulianDate) {
  // ERFA takes two-part dates; J2000.0 plus days keeps the fraction exact.
  const double ut1 = ut1JulianDate - ERFA_DJ00;
  const double tt = ttJulianDate - ERFA_DJ00;

  // The Earth's heliocentric and barycentric position and velocity (VSOP87
  // fit): the sun's geocentric direction, and the velocity that aberrates it.
  double heliocentric[2][3];
  double barycentric[2][3];
  eraEpv00(ERFA_DJ00, tt, heliocentric, barycentric);
  double earthToSun[3];
  eraSxp(-1, heliocentric[0], earthToSun);
  Direction sunGeometric = DirectionOf(earthToSun);
  double velocity[3];  // in units of c
  eraSxp(1 / ERFA_DC, barycentric[1], velocity);
  const double speedSquared = eraPdp(velocity, velocity);
  double sunApparent[3];
  eraAb(sunGeometric.unit, velocity, sunGeometric.distance, std::sqrt(1 - speedSquared),
        sunApparent);

  // The moon (Meeus's ELP-2000/82 series) seen along the light that left it
  // 1.3 s earlier. The annual aberration and the Earth's own move during that
  // time cancel for a body that travels with the Earth.
  double moonPv[2][3];
  eraMoon98(ERFA_DJ00, tt, moonPv);
  const double moonLightDays = eraPm(moonPv[0]) / ERFA_DC;
  double moonShift[3];
  eraSxp(moonLightDays, moonPv[1], moonShift);
  double moonApparent[3];
  eraPmp(moonPv[0], moonShift, moonApparent);

  // To the true equator and equinox of date, where the apparent sidereal
  // time turns right ascension into Greenwich hour angle.
  double precessionNutation[3][3];
  eraPnm06a(ERFA_DJ00, tt, precessionNutation);
  const double siderealTime = eraGst06a(ERFA_DJ00, ut1, ERFA_DJ00, tt);

  PreciseSky sky;
  const auto place = [&](double gcrs[3], double& declination, double& westLongitude,
                         double& rightAscension) {
    double ofDate[3];
    eraRxp(precessionNutation, gcrs, ofDate);
    double ra = 0;
    double dec = 0;
    eraC2s(ofDate, &ra, &dec);
    declination = Degrees(dec);
    rightAscension = NormalizeLongitude(Degrees(ra));
    westLongitude = NormalizeLongitude(Degrees(eraAnp(siderealTime - ra)));
  };
  place(sunApparent, sky.sun.declination, sky.sun.westLongitude, sky.sun.rightAscension);
  double moonRightAscension = 0;
  place(moonApparent, sky.moon.declination, sky.moon.westLongitude, moonRightAscension);

  double ecliptic[3][3];
  eraEcm06(ERFA_DJ00, tt, ecliptic);
  sky.elongation = NormalizeLongitude(Degrees(EclipticLongitude(ecliptic, moonApparent) -
                                              EclipticLongitude(ecliptic, sunApparent)));
  sky.phase = MoonPhaseForElongation(sky.elongation);

  // Phase angle at the moon between the sun and the Earth (Meeus ch. 48).
  double sunFromEarth[3];
  eraSxp(sunGeometric.distance, sunGeometric.unit, sunFromEarth);
  double moonToSun[3];
  eraPmp(sunFromEarth, moonPv[0], moonToSun);
  double moonToEarth[3];
  eraSxp(-1, moonPv[0], moonToEarth);
  const double cosPhaseAngle =
      eraPdp(moonToSun, moonToEarth) / (eraPm(moonToSun) * eraPm(moonToEarth));
  sky.illuminatedFraction = (1 + cosPhaseAngle) / 2;
  return sky;
}

}  // namespace lumivane
