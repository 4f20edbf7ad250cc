#include "render/map_pins.h"

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "render/compose_frame.h"
#include "render/frame_test_pictures.h"

namespace lumivane {
namespace {

constexpr UnixTime kSix2000 = 946706400;  // 2000-01-01 06:00 UTC, the sun near 89.2 E

// The pixels where two frames differ, as "x,y" in reading order.
std::vector<std::string> Changed(const Image& a, const Image& b) {
  std::vector<std::string> changed;
  for (std::int32_t y = 0; y < a.height(); ++y) {
    for (std::int32_t x = 0; x < a.width(); ++x) {
      if (a.at(x, y) != b.at(x, y)) changed.push_back(std::to_string(x) + "," + std::to_string(y));
    }
  }
  return changed;
}

// The 5 x 5 square around (x, y), its columns taken modulo the map's width.
std::vector<std::string> Square(std::int32_t x, std::int32_t y, std::int32_t left,
                                std::int32_t width) {
  std::vector<std::string> square;
  for (std::int32_t row = y - 2; row <= y + 2; ++row) {
    std::vector<std::int32_t> columns;
    for (std::int32_t c = x - 2; c <= x + 2; ++c) {
      columns.push_back(left + ((c - left) % width + width) % width);
    }
    std::sort(columns.begin(), columns.end());
    for (const std::int32_t c : columns) {
      square.push_back(std::to_string(c) + "," + std::to_string(row));
    }
  }
  return square;
}

// Worked by hand: column = trunc((180 + east) / 360 x W) modulo W, row =
// trunc((90 - north) / 180 x H); the turn at 06:00 moves the sun's column
// trunc((180 + 89.2) / 360 x 400) = 299 to the middle, 99 to the left.
TEST(MapPins, DotsStandWhereTheMapShowsTheirCoordinates) {
  const struct {
    MapPin pin;
    std::int32_t frameWidth;  // 400 x 200 stretched; 440 x 200 padded
    bool sunCentered;
    std::int32_t x, y;  // the dot's centre in the frame
  } cases[] = {
      {{0, 0, "Null Island"}, 400, false, 200, 100},
      {{51.5, -0.12, "London"}, 400, false, 199, 42},
      {{-33.87, 151.21, "Sydney"}, 400, false, 368, 137},
      {{0, 180, "Date line"}, 400, false, 0, 100},
      {{0, -180, "Date line"}, 400, false, 0, 100},
      {{0, 0, ""}, 400, true, 101, 100},
      {{0, -90, ""}, 400, true, 1, 100},
      {{0, 0, ""}, 440, false, 220, 100},
      {{0, 0, ""}, 440, true, 121, 100},
  };
  const MarkerImages markers = SquareMarkers();
  for (const auto& c : cases) {
    FrameOptions options = MarkedFrameOptions(30, c.frameWidth, 200);
    options.showSun = options.showMoon = false;
    options.fit = MapFit::Pad;
    options.sunCentered = c.sunCentered;
    const Image map = CoordinateMap(400, 200);
    const EarthMapView view{map, 400, 200};
    const Image plain = ComposeFrame(options, view, markers, kSix2000);
    options.pins = {c.pin};
    const std::int32_t left = (c.frameWidth - 400) / 2;
    EXPECT_EQ(Changed(plain, ComposeFrame(options, view, markers, kSix2000)),
              Square(c.x, c.y, left, 400))
        << c.pin.latitude << "," << c.pin.longitude << " in " << c.frameWidth << " sun-centred "
        << c.sunCentered;
  }
  EXPECT_EQ(PinMarkerSize(30, 400), 5);
  EXPECT_EQ(PinMarkerSize(100, 400), 16);
  EXPECT_EQ(PinMarkerSize(1, 400), 1);
}

}  // namespace
}  // namespace lumivane
