#include <gtest/gtest.h>

#include <chrono>
#include <cmath>

#include "astro/precise/precise_sky.h"
#include "places/sun_events.h"
#include "places/sun_in_sky.h"
#include "places/sun_references.h"

namespace lumivane {
namespace {

// Within 65 degrees of the equator the precise sun's events must agree with
// an ephemeris within a minute; they do within 5 s (4 s at worst over 400
// random days and places), the rest being the reference's parallax.
constexpr std::int64_t kEventSeconds = 10;
// The reference's altitude is topocentric: up to 0.0025 deg lower.
constexpr double kAngleDegrees = 0.005;

SubSolarPoint PreciseSunAt(UnixTime t) { return ComputePreciseSky(t).sun; }

UnixTime At(int year, int month, int day, int seconds) {
  using namespace std::chrono;
  return std::int64_t{sys_days(std::chrono::year(year) / month / day).time_since_epoch().count()} *
             86400 +
         seconds;
}

void ExpectNear(const std::optional<UnixTime>& got, const std::optional<std::int64_t>& want,
                UnixTime midnight, const char* what) {
  ASSERT_EQ(got.has_value(), want.has_value()) << what;
  if (want) {
    EXPECT_NEAR(static_cast<double>(*got - midnight), *want, kEventSeconds) << what;
  }
}

TEST(PreciseSunEvents, AgreeWithAnEphemerisWithinSeconds) {
  for (const auto& row : testing::kSunReferences) {
    SCOPED_TRACE(::testing::Message()
                 << row.place << " " << row.year << "-" << row.month << "-" << row.day);
    const UnixTime midnight = At(row.year, row.month, row.day, 0);
    const SunEvents events = SunEventsOnDay({row.latitude, row.longitude}, midnight, PreciseSunAt);
    ExpectNear(events.sunrise, row.sunrise, midnight, "sunrise");
    ExpectNear(events.sunset, row.sunset, midnight, "sunset");
    ExpectNear(events.civilDawn, row.civilDawn, midnight, "civil dawn");
    ExpectNear(events.civilDusk, row.civilDusk, midnight, "civil dusk");
    ExpectNear(events.solarNoon, row.solarNoon, midnight, "solar noon");
    EXPECT_EQ(static_cast<int>(events.polar), row.polar);
  }
}

TEST(PreciseSunInSky, AltitudeAzimuthAndDaylightAsAnEphemerisSeesThem) {
  // PyEphem 4.1.4 with pressure 0: the sun's centre, no refraction.
  const struct {
    double latitude, longitude;
    UnixTime t;
    double altitude, azimuth;
    Daylight daylight;
  } rows[] = {
      {51.5072, -0.1276, At(2026, 9, 23, 43200), 38.2758, 182.2668, Daylight::Day},
      {-33.8688, 151.2093, At(2026, 12, 8, 7445), 78.2081, 340.1830, Daylight::Day},
      {-0.2299, -78.5250, At(2026, 3, 20, 61200), 84.6243, 87.1613, Daylight::Day},
      {-18.1416, 178.4415, At(2026, 1, 15, 63000), -3.6730, 113.5376, Daylight::CivilTwilight},
      {64.1466, -21.9426, At(2026, 6, 21, 1800), -1.6500, 346.3753, Daylight::CivilTwilight},
      {40.7128, -74.0060, At(2026, 3, 8, 37800), -10.0950, 87.6477, Daylight::NauticalTwilight},
      {40.7128, -74.0060, At(2026, 3, 8, 36000), -15.7640, 82.6467, Daylight::AstronomicalTwilight},
      {61.2181, -149.9003, At(2026, 12, 21, 14400), -20.6976, 258.7361, Daylight::Night},
      {69.6492, 18.9553, At(2026, 12, 21, 0), -42.3516, 24.4837, Daylight::Night},
  };
  for (const auto& row : rows) {
    const SunInSky sun = SunInSkyAt({row.latitude, row.longitude}, PreciseSunAt(row.t));
    EXPECT_NEAR(sun.altitude, row.altitude, kAngleDegrees) << row.t;
    EXPECT_NEAR(sun.azimuth, row.azimuth, kAngleDegrees) << row.t;
    EXPECT_EQ(sun.daylight, row.daylight) << row.t;
  }
}

}  // namespace
}  // namespace lumivane
