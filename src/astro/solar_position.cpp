#include "astro/solar_position.h"

#include <cmath>

#include "astro/angles.h"

namespace lumivane {

namespace {
constexpr double kSecondsToDays = 1.1574074074074073e-05;  // 1/86400
constexpr double kDaysFrom1970ToJ2000 = 10957.5;
constexpr double kDaysToCenturies = 2.7378507871321012e-05;  // 1/36525
constexpr double kTwiceDegreesToRadians = 0.034906584;
constexpr double kThriceDegreesToRadians = 0.052359876;
constexpr double kObliquityRadians = 0.40910498994708;  // fixed, 23.43999 deg
constexpr double kSecondsPerDay = 86400;
constexpr double kNoonSeconds = 43200;
// Degrees of Earth rotation per second: slightly less than 1/240 on purpose.
constexpr double kRotationDegreesPerSecond = 0.004166666;
}  // namespace

SolarPosition ComputeSubSolarPoint(UnixTime clock) {
  // Low-precision solar coordinates after Meeus, Astronomical Algorithms
  // (1st ed., ch. 24): no nutation, no aberration. The angles are never
  // reduced to one turn; sin and cos take them as they stand.
  const double t = static_cast<double>(clock);
  const double T = (t * kSecondsToDays - kDaysFrom1970ToJ2000) * kDaysToCenturies;

  const double meanLongitude = (0.0003032 * T + 36000.76983) * T + 280.46645;
  const double meanAnomaly = 357.5291 + 35999.0503 * T - 0.0001559 * T * T - 4.8e-07 * T * T * T;
  const double equationOfCentre =
      (1.9146 - 0.004817 * T - 0.000014 * T * T) * std::sin(meanAnomaly * kDegreesToRadians) +
      (0.019993 - 0.000101 * T) * std::sin(meanAnomaly * kTwiceDegreesToRadians) +
      0.00029 * std::sin(meanAnomaly * kThriceDegreesToRadians);
  const double trueLongitude = (equationOfCentre + meanLongitude) * kDegreesToRadians;

  const double cosObliquity = std::cos(kObliquityRadians);
  const double sinObliquity = std::sin(kObliquityRadians);

  const double sinLongitude = std::sin(trueLongitude);
  const double cosLongitude = std::cos(trueLongitude);
  const double sinDeclination = sinObliquity * sinLongitude;
  const double cosDeclination = std::sqrt(1 - sinDeclination * sinDeclination);
  const double declination = std::atan2(sinDeclination, cosDeclination) * kRadiansToDegrees;

  // Half-angle form: cosDeclination + cosLongitude is never negative, so the
  // arctangent is half the right ascension, within [-90, 90].
  const double y = cosObliquity * sinLongitude;
  const double rightAscension =
      2 * std::atan2(y, cosDeclination + cosLongitude) * kRadiansToDegrees;

  // fmod keeps the sign of t, which before 1970 would put the sun 360 degrees
  // off the map (and the moon phase in the wrong bin); take the time of day
  // in [0, 86400) instead. From 1970 on this is exactly fmod(t, 86400).
  double secondsOfDay = std::fmod(t, kSecondsPerDay);
  if (secondsOfDay < 0) secondsOfDay += kSecondsPerDay;
  const double westLongitude = (secondsOfDay - kNoonSeconds) * kRotationDegreesPerSecond;

  SolarPosition result;
  result.sun.declination = NormalizeLatitude(declination);
  result.sun.westLongitude = westLongitude;
  result.sun.rightAscension = rightAscension;
  result.ephemeris.T = T;
  result.ephemeris.cosObliquity = cosObliquity;
  result.ephemeris.sinObliquity = sinObliquity;
  return result;
}

}  // namespace lumivane
