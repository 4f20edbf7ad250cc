#include "astro/map_geometry.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

namespace lumivane {
namespace {

using namespace MapGeometry;

TEST(MapGeometry, RowsAndColumnsToAngles) {
  EXPECT_DOUBLE_EQ(RowToLatitude(0, 200), 90);
  EXPECT_DOUBLE_EQ(RowToLatitude(100, 200), 0);
  EXPECT_NEAR(RowToLatitude(199, 200), -89.1, 1e-12);
  EXPECT_DOUBLE_EQ(ColumnToWestLongitude(0, 400), 180);
  EXPECT_DOUBLE_EQ(ColumnToWestLongitude(200, 400), 0);
  EXPECT_NEAR(ColumnToWestLongitude(399, 400), -179.1, 1e-12);
}

TEST(MapGeometry, AnglesToRowsTruncateNeverRound) {
  EXPECT_EQ(LatitudeToRow(200, 90), 0);
  EXPECT_EQ(LatitudeToRow(200, 0), 100);
  EXPECT_EQ(LatitudeToRow(200, 23.44), 73);
  EXPECT_EQ(LatitudeToRow(200, -23.44), 126);
  EXPECT_EQ(LatitudeToRow(200, -90), 200);  // one past the last row
}

TEST(MapGeometry, AnglesToColumnsTruncateNeverRound) {
  EXPECT_EQ(WestLongitudeToColumn(400, 180), 0);
  EXPECT_EQ(WestLongitudeToColumn(400, 90), 100);
  EXPECT_EQ(WestLongitudeToColumn(400, 0), 200);
  EXPECT_EQ(WestLongitudeToColumn(400, -90), 300);
  EXPECT_EQ(WestLongitudeToColumn(400, -179.9999712), 399);
  EXPECT_EQ(WestLongitudeToColumn(400, -180), 400);  // one past the last column
}

TEST(MapGeometry, ZeroSizeAndAbsurdAnglesAreSafe) {
  EXPECT_EQ(LatitudeToRow(0, 45), 0);
  EXPECT_EQ(WestLongitudeToColumn(0, 45), 0);
  EXPECT_EQ(LatitudeToRow(200, std::numeric_limits<double>::quiet_NaN()), 0);
  EXPECT_EQ(WestLongitudeToColumn(400, -1e300), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(WestLongitudeToColumn(400, 1e300), -std::numeric_limits<std::int32_t>::max());
}

TEST(SolarZenithCosine, OneUnderTheSunAndSinDeclinationAtThePole) {
  EXPECT_NEAR(SolarZenithCosine(-23.03, 47.5, -23.03, 47.5), 1, 1e-12);
  for (double west : {-180.0, -45.0, 0.0, 90.0, 179.0}) {
    EXPECT_NEAR(SolarZenithCosine(20, 10, 90, west), std::sin(20 * 0.017453292), 1e-7);
  }
}

TEST(SolarZenithCosine, QuarterTurnFromTheSunIsJustOnTheDaySide) {
  // The degree factor is a hair under pi/180, so 90 degrees is not a right
  // angle and the place counts as day.
  const double z = SolarZenithCosine(0, 0, 0, 90);
  EXPECT_GT(z, 0);
  EXPECT_NEAR(z, 4.7e-8, 0.1e-8);
}

}  // namespace
}  // namespace lumivane
