#include "render/sky_description.h"

#include <gtest/gtest.h>

namespace lumivane {
namespace {

// 2000-01-01 12:00 UTC: the sun at 23.033896 S over Greenwich, the moon at
// 4.600766 S, 77.242139 W in its last quarter (the astro tests' values).
TEST(DescribeSky, TheSkyAtJ2000) {
  EXPECT_EQ(DescribeSky(946728000, SkyAt(946728000)),
            "2000-01-01 12:00 UTC. Sun overhead at 23\u00B0 south, 0\u00B0. "
            "Moon overhead at 5\u00B0 south, 77\u00B0 west, last quarter.");
}

TEST(DescribeSky, SidesRoundingAndTimes) {
  const struct {
    UnixTime time;
    SkyPositions sky;
    const char* text;
  } cases[] = {
      // North and east; 0.5 rounds away from zero; 180 has no side.
      {1718935200,
       {{.declination = 23.44, .westLongitude = -29.5}, {-0.4, 180.0}, MoonPhase::Full},
       "2024-06-21 02:00 UTC. Sun overhead at 23\u00B0 north, 30\u00B0 east. "
       "Moon overhead at 0\u00B0, 180\u00B0, full moon."},
      // Before 1970 the day is the one the time falls in: 1969-12-31 23:59.
      {-1,
       {{.declination = -23.0, .westLongitude = 179.6}, {28.6, -179.6}, MoonPhase::New},
       "1969-12-31 23:59 UTC. Sun overhead at 23\u00B0 south, 180\u00B0. "
       "Moon overhead at 29\u00B0 north, 180\u00B0, new moon."},
      // Past the year 9999 only the places are told.
      {253402300800,
       {{}, {.declination = 1.2, .westLongitude = 90.0}, MoonPhase::FirstQuarter},
       "Sun overhead at 0\u00B0, 0\u00B0. "
       "Moon overhead at 1\u00B0 north, 90\u00B0 west, first quarter."},
  };
  for (const auto& c : cases) EXPECT_EQ(DescribeSky(c.time, c.sky), c.text) << c.time;
}

}  // namespace
}  // namespace lumivane
