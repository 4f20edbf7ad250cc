#include "astro/solar_position.h"

#include <gtest/gtest.h>

namespace lumivane {
namespace {

// Reference values are given to six decimals.
constexpr double kDegreesTolerance = 1e-6;

TEST(ComputeSubSolarPoint, AtJ2000) {
  const SolarPosition p = ComputeSubSolarPoint(946728000);
  EXPECT_EQ(p.ephemeris.T, 0.0);
  EXPECT_EQ(p.sun.westLongitude, 0.0);
  EXPECT_NEAR(p.sun.declination, -23.033896, kDegreesTolerance);
  EXPECT_NEAR(p.sun.rightAscension, -78.707083, kDegreesTolerance);
  EXPECT_NEAR(p.ephemeris.cosObliquity, 0.9174772, 1e-7);
  EXPECT_NEAR(p.ephemeris.sinObliquity, 0.3977883, 1e-7);
}

TEST(ComputeSubSolarPoint, AtTheUnixEpochTheRotationRateKeepsTheSunShortOf180) {
  const SolarPosition p = ComputeSubSolarPoint(0);
  EXPECT_NEAR(p.ephemeris.T, -0.3, 1e-15);
  EXPECT_EQ(p.sun.westLongitude, -43200 * 0.004166666);
  EXPECT_NEAR(p.sun.westLongitude, -179.9999712, 1e-9);
  EXPECT_NEAR(p.sun.declination, -23.050926, kDegreesTolerance);
}

TEST(ComputeSubSolarPoint, WestLongitudeFollowsMeanSolarTime) {
  EXPECT_NEAR(ComputeSubSolarPoint(64800).sun.westLongitude, 89.9999856, 1e-9);
  EXPECT_NEAR(ComputeSubSolarPoint(21600).sun.westLongitude, -89.9999856, 1e-9);
  EXPECT_NEAR(ComputeSubSolarPoint(86399).sun.westLongitude, 179.9958045, 1e-7);
}

TEST(ComputeSubSolarPoint, SolsticeAndEquinoxes) {
  const SolarPosition june = ComputeSubSolarPoint(961588800);
  EXPECT_NEAR(june.sun.declination, 23.439328, kDegreesTolerance);
  EXPECT_NEAR(june.sun.rightAscension, 90.455833, kDegreesTolerance);
  EXPECT_EQ(june.sun.westLongitude, 0.0);

  const SolarPosition march = ComputeSubSolarPoint(953553600);
  EXPECT_NEAR(march.sun.declination, 0.077499, kDegreesTolerance);
  EXPECT_NEAR(march.sun.rightAscension, 0.178747, kDegreesTolerance);
}

TEST(ComputeSubSolarPoint, RightAscensionCrossesTheSeamAtTheSeptemberEquinox) {
  EXPECT_NEAR(ComputeSubSolarPoint(969624000).sun.rightAscension, 179.810420, kDegreesTolerance);
  const SolarPosition later = ComputeSubSolarPoint(969667200);
  EXPECT_NEAR(later.sun.rightAscension, -179.740617, kDegreesTolerance);
  EXPECT_NEAR(later.sun.declination, -0.112462, kDegreesTolerance);
  EXPECT_NEAR(later.sun.westLongitude, -179.9999712, 1e-9);
}

TEST(ComputeSubSolarPoint, BeforeTheEpochTheSunStaysOnTheMap) {
  // One day before the epoch, same time of day: same place on the map.
  for (UnixTime t : {-86400LL, -86400LL + 21600, -1LL, -2208988800LL}) {
    const double west = ComputeSubSolarPoint(t).sun.westLongitude;
    const UnixTime secondsOfDay = ((t % 86400) + 86400) % 86400;
    EXPECT_EQ(west, (static_cast<double>(secondsOfDay) - 43200) * 0.004166666) << t;
    EXPECT_GE(west, -180) << t;
    EXPECT_LT(west, 180) << t;
  }
}

}  // namespace
}  // namespace lumivane
