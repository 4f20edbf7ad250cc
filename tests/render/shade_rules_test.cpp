#include "render/shade_rules.h"

#include <limits>

#include <gtest/gtest.h>

namespace lumivane {
namespace {

TEST(NightAmountsFor, IntegerAmountsCappedAt255) {
  struct Row {
    int nf, a, b;
  };
  for (const Row& row : {Row{1, 3, 2}, Row{10, 34, 25}, Row{25, 85, 63}, Row{50, 170, 127},
                         Row{74, 251, 188}, Row{75, 255, 191}, Row{100, 255, 255}}) {
    const NightAmounts amounts = NightAmountsFor(row.nf);
    EXPECT_EQ(amounts.redGreen, row.a) << row.nf;
    EXPECT_EQ(amounts.blue, row.b) << row.nf;
  }
}

TEST(ShadePixel, WorkedExamplesAtDefaultDarkness) {
  const NightAmounts nf50 = NightAmountsFor(50);
  struct Row {
    double z;
    Pixel before, after;
  };
  const Row rows[] = {
      {-1, MakePixel(20, 92, 188), MakePixel(0, 0, 61)},
      {-0.1, MakePixel(100, 150, 200), MakePixel(33, 83, 150)},
      {-0.0001, MakePixel(100, 150, 200), MakePixel(96, 146, 197)},
      {0, MakePixel(100, 150, 200), MakePixel(100, 150, 200)},
      {0.9, MakePixel(100, 150, 200), MakePixel(106, 156, 207)},
      {1, MakePixel(250, 100, 240), MakePixel(255, 116, 255)},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(ShadePixel(row.before, row.z, nf50), row.after) << "z = " << row.z;
  }
}

TEST(ShadePixel, NightEdgeCases) {
  EXPECT_EQ(ShadePixel(MakePixel(0, 0, 0), -1, NightAmountsFor(50)), MakePixel(0, 0, 0));
  EXPECT_EQ(ShadePixel(MakePixel(255, 255, 255), -1, NightAmountsFor(50)), MakePixel(85, 85, 128));
  EXPECT_EQ(ShadePixel(MakePixel(255, 255, 255), -1, NightAmountsFor(100)), MakePixel(0, 0, 0));
  // From 75 on red and green darken alike; only blue still differs.
  const Pixel grey = MakePixel(200, 200, 200);
  const Pixel at75 = ShadePixel(grey, -0.3, NightAmountsFor(75));
  const Pixel at99 = ShadePixel(grey, -0.3, NightAmountsFor(99));
  EXPECT_EQ(RedOf(at75), RedOf(at99));
  EXPECT_EQ(GreenOf(at75), GreenOf(at99));
  EXPECT_GT(BlueOf(at75), BlueOf(at99));
}

TEST(ShadePixel, DayNeverWrapsPast255AndClearsTheTopByte) {
  EXPECT_EQ(ShadePixel(MakePixel(255, 250, 254), 1, NightAmountsFor(50)), MakePixel(255, 255, 255));
  EXPECT_EQ(ShadePixel(0xFF000000u | MakePixel(1, 2, 3), 0.5, NightAmountsFor(50)),
            MakePixel(1, 2, 3));
}

TEST(ShadePixel, NaNLeavesThePixelAsItWas) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(ShadePixel(MakePixel(10, 20, 30), nan, NightAmountsFor(100)), MakePixel(10, 20, 30));
}

}  // namespace
}  // namespace lumivane
