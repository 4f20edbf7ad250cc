#include "astro/lunar_position.h"

#include <gtest/gtest.h>

namespace lumivane {
namespace {

constexpr double kDegreesTolerance = 1e-6;

struct LunarCase {
  UnixTime clock;
  double declination;
  double westLongitude;
  MoonPhase phase;
};

TEST(ComputeSubLunarPoint, ReferenceMoonsOfJanuary2000) {
  const LunarCase cases[] = {
      {946728000, -4.600766, 77.242139, MoonPhase::LastQuarter},
      {947182440, -20.289625, 113.250295, MoonPhase::New},
      {947856840, -2.345413, -46.734736, MoonPhase::FirstQuarter},
      {948429600, 20.960738, 92.409191, MoonPhase::Full},
      {949046220, -2.443524, 50.968166, MoonPhase::LastQuarter},
  };
  for (const LunarCase& c : cases) {
    const SolarPosition solar = ComputeSubSolarPoint(c.clock);
    const SubLunarPoint moon = ComputeSubLunarPoint(solar.ephemeris, solar.sun);
    EXPECT_NEAR(moon.declination, c.declination, kDegreesTolerance) << c.clock;
    EXPECT_NEAR(moon.westLongitude, c.westLongitude, kDegreesTolerance) << c.clock;
    EXPECT_EQ(ChooseMoonPhase(solar.sun, moon), c.phase) << c.clock;
  }
}

SubSolarPoint SunAt(double westLongitude) { return {.westLongitude = westLongitude}; }
SubLunarPoint MoonAt(double westLongitude) { return {.westLongitude = westLongitude}; }

MoonPhase PhaseForElongation(double v) { return ChooseMoonPhase(SunAt(v), MoonAt(0)); }

TEST(ChooseMoonPhase, ValuesOnABoundaryBelongToTheBinAbove) {
  EXPECT_EQ(PhaseForElongation(-135), MoonPhase::LastQuarter);
  EXPECT_EQ(PhaseForElongation(-45), MoonPhase::New);
  EXPECT_EQ(PhaseForElongation(45), MoonPhase::FirstQuarter);
  EXPECT_EQ(PhaseForElongation(135), MoonPhase::Full);
  EXPECT_EQ(PhaseForElongation(180), MoonPhase::Full);
  EXPECT_EQ(PhaseForElongation(-180), MoonPhase::Full);
  EXPECT_EQ(PhaseForElongation(-135.000001), MoonPhase::Full);
  EXPECT_EQ(PhaseForElongation(134.999999), MoonPhase::FirstQuarter);
}

TEST(ChooseMoonPhase, ElongationIsFoldedOnceAcrossTheDateLine) {
  EXPECT_EQ(ChooseMoonPhase(SunAt(170), MoonAt(-170)), MoonPhase::New);           // 340 -> -20
  EXPECT_EQ(ChooseMoonPhase(SunAt(-170), MoonAt(170)), MoonPhase::New);           // -340 -> 20
  EXPECT_EQ(ChooseMoonPhase(SunAt(-100), MoonAt(170)), MoonPhase::FirstQuarter);  // -270 -> 90
}

TEST(MoonPhaseName, NamesEveryPhase) {
  EXPECT_STREQ(MoonPhaseName(MoonPhase::New), "New");
  EXPECT_STREQ(MoonPhaseName(MoonPhase::FirstQuarter), "FirstQuarter");
  EXPECT_STREQ(MoonPhaseName(MoonPhase::Full), "Full");
  EXPECT_STREQ(MoonPhaseName(MoonPhase::LastQuarter), "LastQuarter");
}

}  // namespace
}  // namespace lumivane
