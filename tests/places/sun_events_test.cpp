#include "places/sun_events.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>

#include "astro/map_geometry.h"
#include "places/sun_references.h"

namespace lumivane {
namespace {

// The mean sun ignores the equation of time (up to 16.5 minutes) and uses
// low-accuracy coordinates: 993 s at worst over 400 random days and places
// within 65 degrees of the equator, against the same reference.
constexpr std::int64_t kMeanModelSeconds = 17 * 60;

UnixTime Midnight(int year, int month, int day) {
  using namespace std::chrono;
  return std::int64_t{sys_days(std::chrono::year(year) / month / day).time_since_epoch().count()} *
         86400;
}

void ExpectNear(const std::optional<UnixTime>& got, const std::optional<std::int64_t>& want,
                UnixTime midnight, std::int64_t tolerance, const char* what) {
  ASSERT_EQ(got.has_value(), want.has_value()) << what;
  if (want) {
    EXPECT_NEAR(static_cast<double>(*got - midnight), *want, tolerance) << what;
  }
}

TEST(SunEventsOnDay, TheMeanSunAgreesWithAnEphemerisToTheEquationOfTime) {
  for (const auto& row : testing::kSunReferences) {
    SCOPED_TRACE(::testing::Message()
                 << row.place << " " << row.year << "-" << row.month << "-" << row.day);
    const UnixTime midnight = Midnight(row.year, row.month, row.day);
    const SunEvents events = SunEventsOnDay({row.latitude, row.longitude}, midnight, MeanSunAt);
    ExpectNear(events.sunrise, row.sunrise, midnight, kMeanModelSeconds, "sunrise");
    ExpectNear(events.sunset, row.sunset, midnight, kMeanModelSeconds, "sunset");
    ExpectNear(events.civilDawn, row.civilDawn, midnight, kMeanModelSeconds, "civil dawn");
    ExpectNear(events.civilDusk, row.civilDusk, midnight, kMeanModelSeconds, "civil dusk");
    ExpectNear(events.solarNoon, row.solarNoon, midnight, kMeanModelSeconds, "solar noon");
    EXPECT_EQ(static_cast<int>(events.polar), row.polar);
  }
}

TEST(SunEventsOnDay, MeanNoonIsMeanSolarTimeToTheSecond) {
  // The mean sun crosses Greenwich at 12:00:00 UTC every day, and 15
  // degrees east an hour earlier (its rotation of 0.004166666 deg/s makes
  // 15 degrees take 3600.0003 s, so the first second past it is 11:00:00).
  const UnixTime midnight = Midnight(2026, 12, 8);
  EXPECT_EQ(SunEventsOnDay({51.48, 0}, midnight, MeanSunAt).solarNoon, midnight + 43200);
  EXPECT_EQ(SunEventsOnDay({-33.9, 15}, midnight, MeanSunAt).solarNoon, midnight + 39600);
}

// A sun that stays up for minutes only: at latitude 67.5 with declination
// -23.33 it peaks at -0.83 degrees, 0.003 above the sunrise limit, for about
// eight minutes around 12:07:30, between two quarter-hour samples.
SubSolarPoint GrazingSun(UnixTime t) {
  return {-23.33, static_cast<double>(t % 86400 - 43650) / 240, 0};
}

TEST(SunEventsOnDay, ASunThatBarelyRisesStillRisesAndSets) {
  const UnixTime midnight = Midnight(2026, 12, 21);
  const SunEvents events = SunEventsOnDay({67.5, 0}, midnight, GrazingSun);
  ASSERT_TRUE(events.sunrise && events.sunset);
  EXPECT_LT(*events.sunrise, midnight + 43650);
  EXPECT_GT(*events.sunset, midnight + 43650);
  EXPECT_LT(*events.sunset - *events.sunrise, 10 * 60);
  EXPECT_EQ(events.polar, PolarDay::None);
  ASSERT_TRUE(events.civilDawn && events.civilDusk);
  EXPECT_LT(*events.civilDawn, *events.sunrise);
  EXPECT_GT(*events.civilDusk, *events.sunset);
}

TEST(DaylightForZenithCosine, TheBandsTheMapShades) {
  const struct {
    double altitude;
    Daylight daylight;
  } rows[] = {
      {45, Daylight::Day},
      {0, Daylight::Day},
      {-0.001, Daylight::CivilTwilight},
      {-5.999, Daylight::CivilTwilight},
      {-6.001, Daylight::NauticalTwilight},
      {-11.999, Daylight::NauticalTwilight},
      {-12.001, Daylight::AstronomicalTwilight},
      {-17.999, Daylight::AstronomicalTwilight},
      {-18.001, Daylight::Night},
      {-90, Daylight::Night},
  };
  for (const auto& row : rows) {
    const double z = std::sin(row.altitude * 3.14159265358979323846 / 180);
    EXPECT_EQ(DaylightForZenithCosine(z), row.daylight) << row.altitude;
  }
}

}  // namespace
}  // namespace lumivane
