#include "render/device_pixels.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

namespace lumivane {
namespace {

TEST(AtDevicePixelRatio, SizeAndMarkersInDevicePixelsRoundedToTheNearest) {
  FrameOptions logical;
  logical.width = 401;
  logical.height = 201;
  logical.nightDarkness = 37;
  logical.markerScale = 30;
  logical.markerMapWidth = 400;
  logical.showSun = true;
  logical.sunCentered = true;
  const struct {
    double ratio;
    std::int32_t width, height, markerMapWidth;
  } cases[] = {
      {1.0, 401, 201, 400},
      {2.0, 802, 402, 800},
      {1.5, 602, 302, 600},   // 601.5 and 301.5 round up, as window sizes do
      {1.25, 501, 251, 500},  // 501.25 and 251.25 round down
      {3.0, 1203, 603, 1200},
      {0.75, 401, 201, 400},  // never below the window's own pixels
      {std::numeric_limits<double>::quiet_NaN(), 401, 201, 400},
      {1e9, 401 * 16, 201 * 16, 400 * 16},  // held to a sane largest ratio
  };
  for (const auto& c : cases) {
    const FrameOptions device = AtDevicePixelRatio(logical, c.ratio);
    EXPECT_EQ(device.width, c.width) << c.ratio;
    EXPECT_EQ(device.height, c.height) << c.ratio;
    EXPECT_EQ(device.markerMapWidth, c.markerMapWidth) << c.ratio;
    // What the frame shows stays as it was.
    EXPECT_EQ(device.nightDarkness, 37);
    EXPECT_EQ(device.markerScale, 30);
    EXPECT_TRUE(device.showSun && device.sunCentered && !device.showMoon);
  }
}

}  // namespace
}  // namespace lumivane
