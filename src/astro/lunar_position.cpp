#include "astro/lunar_position.h"

#include <cmath>

#include "astro/angles.h"

namespace lumivane {

namespace {
constexpr double kDaysPerCentury = 36525;
constexpr double kNodeAtEpochDeg = 125.1228;
constexpr double kNodeRateDegPerDay = 0.0529538083;
constexpr double kPerigeeAtEpochDeg = 318.00634;
constexpr double kPerigeeRateDegPerDay = 0.1643573223;
constexpr double kAnomalyAtEpochDeg = 115.3654;
constexpr double kAnomalyRateDegPerDay = 13.0649929509;
constexpr double kEccentricity = 0.0549;
constexpr double kEccentricityDeg = 3.1455383889755586;  // e in degrees
constexpr double kOneMinusEccentricitySquared = 0.99698599;
constexpr double kMeanDistanceEarthRadii = 60.2666;
constexpr double kInclinationRadians = 0.0898041686568;  // 5.1454 deg
}  // namespace

SubLunarPoint ComputeSubLunarPoint(const SolarEphemeris& ephemeris, const SubSolarPoint& sun) {
  // Mean lunar orbital elements after Schlyter, "How to compute planetary
  // positions". Days count from J2000.0 itself, not from the element set's
  // own day zero 1.5 days earlier.
  const double d = ephemeris.T * kDaysPerCentury;
  const double node = kNodeAtEpochDeg - kNodeRateDegPerDay * d;
  const double perigee = kPerigeeAtEpochDeg + kPerigeeRateDegPerDay * d;
  const double anomaly = kAnomalyAtEpochDeg + kAnomalyRateDegPerDay * d;

  const double eccentricAnomaly =
      anomaly + kEccentricityDeg * std::sin(anomaly * kDegreesToRadians) *
                    (1 + kEccentricity * std::cos(anomaly * kDegreesToRadians));

  const double xv =
      kMeanDistanceEarthRadii * (std::cos(eccentricAnomaly * kDegreesToRadians) - kEccentricity);
  const double yv = kMeanDistanceEarthRadii * std::sqrt(kOneMinusEccentricitySquared) *
                    std::sin(eccentricAnomaly * kDegreesToRadians);
  const double trueAnomaly = std::atan2(yv, xv) * kRadiansToDegrees;
  const double distance = std::sqrt(xv * xv + yv * yv);

  const double u = (trueAnomaly + perigee) * kDegreesToRadians;
  const double n = node * kDegreesToRadians;
  const double i = kInclinationRadians;

  const double xh =
      distance * (std::cos(n) * std::cos(u) - std::sin(n) * std::sin(u) * std::cos(i));
  const double yh =
      distance * (std::sin(n) * std::cos(u) + std::cos(n) * std::sin(u) * std::cos(i));
  const double zh = distance * std::sin(u) * std::sin(i);

  const double xe = xh;
  const double ye = yh * ephemeris.cosObliquity - zh * ephemeris.sinObliquity;
  const double ze = yh * ephemeris.sinObliquity + zh * ephemeris.cosObliquity;

  const double rightAscension = std::atan2(ye, xe) * kRadiansToDegrees;
  const double declination = std::atan2(ze, std::sqrt(xe * xe + ye * ye)) * kRadiansToDegrees;

  SubLunarPoint moon;
  moon.westLongitude =
      NormalizeLongitude((sun.westLongitude + sun.rightAscension) - rightAscension);
  moon.declination = NormalizeLatitude(declination);
  return moon;
}

MoonPhase ChooseMoonPhase(const SubSolarPoint& sun, const SubLunarPoint& moon) {
  double elongation = sun.westLongitude - moon.westLongitude;
  if (elongation > 180) {
    elongation -= 360;
  } else if (elongation < -180) {
    elongation += 360;
  }
  return MoonPhaseForElongation(elongation);
}

MoonPhase MoonPhaseForElongation(double elongation) {
  if (elongation < -135) return MoonPhase::Full;
  if (elongation < -45) return MoonPhase::LastQuarter;
  if (elongation < 45) return MoonPhase::New;
  if (elongation < 135) return MoonPhase::FirstQuarter;
  return MoonPhase::Full;
}

const char* MoonPhaseName(MoonPhase phase) {
  switch (phase) {
    case MoonPhase::New: return "New";
    case MoonPhase::FirstQuarter: return "FirstQuarter";
    case MoonPhase::Full: return "Full";
    case MoonPhase::LastQuarter: return "LastQuarter";
  }
  return "New";
}

}  // namespace lumivane
