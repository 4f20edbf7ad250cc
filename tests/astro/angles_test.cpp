#include "astro/angles.h"

#include <gtest/gtest.h>

namespace lumivane {
namespace {

TEST(NormalizeLatitude, FoldsIntoHalfOpenRangeUpToNinety) {
  EXPECT_DOUBLE_EQ(NormalizeLatitude(-90), 90);
  EXPECT_DOUBLE_EQ(NormalizeLatitude(90), 90);
  EXPECT_DOUBLE_EQ(NormalizeLatitude(100), -80);
  EXPECT_DOUBLE_EQ(NormalizeLatitude(-100), 80);
  EXPECT_DOUBLE_EQ(NormalizeLatitude(180), 0);
  EXPECT_DOUBLE_EQ(NormalizeLatitude(270), 90);
  EXPECT_DOUBLE_EQ(NormalizeLatitude(-23.5), -23.5);
}

TEST(NormalizeLongitude, FoldsIntoHalfOpenRangeUpTo180) {
  EXPECT_DOUBLE_EQ(NormalizeLongitude(-180), 180);
  EXPECT_DOUBLE_EQ(NormalizeLongitude(540), 180);
  EXPECT_DOUBLE_EQ(NormalizeLongitude(190), -170);
  EXPECT_DOUBLE_EQ(NormalizeLongitude(-190), 170);
  EXPECT_DOUBLE_EQ(NormalizeLongitude(360), 0);
}

TEST(Normalize, FoldsHugeAnglesInOneStepAndStaysInRange) {
  for (double a : {1e6, -1e6, 123456789.25, -987654321.5, 1e12}) {
    const double latitude = NormalizeLatitude(a);
    EXPECT_GT(latitude, -90) << a;
    EXPECT_LE(latitude, 90) << a;
    const double longitude = NormalizeLongitude(a);
    EXPECT_GT(longitude, -180) << a;
    EXPECT_LE(longitude, 180) << a;
  }
}

}  // namespace
}  // namespace lumivane
