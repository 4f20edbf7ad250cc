// Properties over two centuries of clock values, and the far ends of the
// 64-bit clock.
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

#include "astro/lunar_position.h"
#include "astro/solar_position.h"

namespace lumivane {
namespace {

constexpr UnixTime kStart1901 = -2177452800;  // 1901-01-01 00:00:00 UTC
constexpr UnixTime kEnd2100 = 4133980800;     // 2101-01-01 00:00:00 UTC
constexpr UnixTime kStep = 6 * 3600;
constexpr UnixTime kThirtyDays = 30 * 86400;

TEST(LongRange, PositionsStayInTheirRangesFrom1901To2100) {
  for (UnixTime t = kStart1901; t < kEnd2100; t += kStep) {
    const SolarPosition solar = ComputeSubSolarPoint(t);
    const SubLunarPoint moon = ComputeSubLunarPoint(solar.ephemeris, solar.sun);
    ASSERT_LE(std::fabs(solar.sun.declination), 23.45) << t;
    ASSERT_GE(solar.sun.westLongitude, -180) << t;
    ASSERT_LT(solar.sun.westLongitude, 180) << t;
    ASSERT_GE(solar.sun.rightAscension, -180) << t;
    ASSERT_LE(solar.sun.rightAscension, 180) << t;
    ASSERT_LE(std::fabs(moon.declination), 28.7) << t;
    ASSERT_GT(moon.westLongitude, -180) << t;
    ASSERT_LE(moon.westLongitude, 180) << t;
  }
}

TEST(LongRange, EveryPhaseComesWithinAnyThirtyDays) {
  std::array<UnixTime, 4> lastSeen;
  lastSeen.fill(kStart1901);
  for (UnixTime t = kStart1901; t < kEnd2100; t += kStep) {
    const SolarPosition solar = ComputeSubSolarPoint(t);
    const SubLunarPoint moon = ComputeSubLunarPoint(solar.ephemeris, solar.sun);
    lastSeen[static_cast<std::size_t>(ChooseMoonPhase(solar.sun, moon))] = t;
    for (std::size_t phase = 0; phase < lastSeen.size(); ++phase) {
      ASSERT_LT(t - lastSeen[phase], kThirtyDays) << "phase " << phase << " missing before " << t;
    }
  }
}

TEST(LongRange, PhasesFollowTheSynodicOrder) {
  // Waxing and waning go New -> FirstQuarter -> Full -> LastQuarter -> New.
  MoonPhase previous = MoonPhase::New;
  bool first = true;
  for (UnixTime t = kStart1901; t < kEnd2100; t += 3600) {
    const SolarPosition solar = ComputeSubSolarPoint(t);
    const MoonPhase phase =
        ChooseMoonPhase(solar.sun, ComputeSubLunarPoint(solar.ephemeris, solar.sun));
    if (!first && phase != previous) {
      const int step = (static_cast<int>(phase) - static_cast<int>(previous) + 4) % 4;
      ASSERT_EQ(step, 1) << "at " << t;
    }
    previous = phase;
    first = false;
  }
}

TEST(LongRange, TheFarEndsOfTheClockGiveFiniteResults) {
  for (UnixTime t : {std::numeric_limits<UnixTime>::min(), std::numeric_limits<UnixTime>::max(),
                     UnixTime{2147483647}, UnixTime{2147483648}, UnixTime{-2147483648LL - 1}}) {
    const SolarPosition solar = ComputeSubSolarPoint(t);
    const SubLunarPoint moon = ComputeSubLunarPoint(solar.ephemeris, solar.sun);
    EXPECT_TRUE(std::isfinite(solar.sun.declination)) << t;
    EXPECT_TRUE(std::isfinite(solar.sun.westLongitude)) << t;
    EXPECT_TRUE(std::isfinite(solar.sun.rightAscension)) << t;
    EXPECT_TRUE(std::isfinite(moon.declination)) << t;
    EXPECT_TRUE(std::isfinite(moon.westLongitude)) << t;
  }
}

}  // namespace
}  // namespace lumivane
