#include "settings/display_size.h"

#include <gtest/gtest.h>

namespace lumivane {
namespace {

TEST(DisplaySizeTest, ScaledSideIsTheIntegerQuotientForOrdinaryBases) {
  for (std::uint32_t base : {0u, 1u, 13u, 200u, 400u, 1023u, 4096u, 40000u}) {
    for (std::int32_t scale = 1; scale <= 100; ++scale) {
      ASSERT_EQ(ScaledSide(base, scale), static_cast<double>(base * scale / 30))
          << base << " x " << scale;
    }
  }
}

TEST(DisplaySizeTest, SizesUpToTheBoundsAreKept) {
  EXPECT_EQ(ComputeDisplaySize(16384, 4096, 30, 400, 200), (DisplaySize{16384, 4096}));
  EXPECT_EQ(ComputeDisplaySize(4096, 16384, 30, 400, 200), (DisplaySize{4096, 16384}));
  // 8192 x 8192 is exactly 64 Mpixels.
  EXPECT_EQ(ComputeDisplaySize(8192, 8192, 30, 400, 200), (DisplaySize{8192, 8192}));
}

TEST(DisplaySizeTest, ASideOrAreaBeyondTheBoundsUsesTheNativeSizeForBothSides) {
  EXPECT_EQ(ComputeDisplaySize(16385, 100, 30, 400, 200), (DisplaySize{400, 200}));
  EXPECT_EQ(ComputeDisplaySize(100, 16385, 30, 400, 200), (DisplaySize{400, 200}));
  EXPECT_EQ(ComputeDisplaySize(8193, 8192, 30, 400, 200), (DisplaySize{400, 200}));
  // Scale 100 turns a fitting base of 6000 into 20000 pixels.
  EXPECT_EQ(ComputeDisplaySize(6000, 100, 100, 400, 200), (DisplaySize{1333, 666}));
  EXPECT_EQ(ComputeDisplaySize(4294967295u, 4294967295u, 100, 1024, 512),
            (DisplaySize{3413, 1706}));
}

TEST(DisplaySizeTest, AHugeNativeMapIsShrunkKeepingItsProportions) {
  const DisplaySize s = ComputeDisplaySize(40000, 20000, 30, 40000, 20000);
  EXPECT_LE(s.width, kMaxDisplaySide);
  EXPECT_LE(std::int64_t{s.width} * s.height, kMaxDisplayArea);
  EXPECT_GT(std::int64_t{s.width} * s.height, kMaxDisplayArea * 99 / 100);
  EXPECT_NEAR(static_cast<double>(s.width) / s.height, 2.0, 0.001);

  // A very wide map is bounded by its side.
  const DisplaySize wide = ComputeDisplaySize(100000, 1000, 30, 100000, 1000);
  EXPECT_EQ(wide.width, kMaxDisplaySide);
  EXPECT_EQ(wide.height, 163);
}

TEST(DisplaySizeTest, TheDisplayNeverVanishes) {
  EXPECT_EQ(ComputeDisplaySize(0, 0, 30, 400, 200), (DisplaySize{1, 1}));
  EXPECT_EQ(ComputeDisplaySize(20, 10, 1, 20, 10), (DisplaySize{1, 1}));
}

}  // namespace
}  // namespace lumivane
