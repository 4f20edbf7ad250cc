#include "render/compose_frame.h"

#include <cmath>

#include <gtest/gtest.h>

#include "render/frame_test_pictures.h"
#include "render/image_ops.h"
#include "render/shade_day_night.h"

namespace lumivane {
namespace {

constexpr UnixTime kJune2000 = 961588800;  // 2000-06-21 12:00 UTC
constexpr Pixel kBackground = 0x123456;

FrameOptions Frame(std::int32_t width, std::int32_t height, MapFit fit, bool sunCentered) {
  // Large markers, to see them cut at the map's edges.
  FrameOptions options = MarkedFrameOptions(100, width, height);
  options.fit = fit;
  options.background = kBackground;
  options.sunCentered = sunCentered;
  return options;
}

TEST(MapArea, PadsAndCropsTheTwoToOneMap) {
  const struct {
    std::int32_t width, height;
    MapFit fit;
    PixelRect area;
  } cases[] = {
      {400, 300, MapFit::Stretch, {0, 0, 400, 300}},
      {1000, 300, MapFit::Pad, {200, 0, 600, 300}},
      {400, 400, MapFit::Pad, {0, 100, 400, 200}},
      {401, 401, MapFit::Pad, {0, 100, 401, 200}},
      {3840, 2160, MapFit::Pad, {0, 120, 3840, 1920}},
      {800, 400, MapFit::Pad, {0, 0, 800, 400}},
      {3840, 2160, MapFit::Crop, {-240, 0, 4320, 2160}},
      {1000, 300, MapFit::Crop, {0, -100, 1000, 500}},
      {1001, 300, MapFit::Crop, {0, -100, 1001, 501}},
      {800, 400, MapFit::Crop, {0, 0, 800, 400}},
      {1, 1, MapFit::Pad, {0, 0, 1, 1}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MapArea(Frame(c.width, c.height, c.fit, false)), c.area)
        << c.width << "x" << c.height << " fit " << static_cast<int>(c.fit);
  }
}

// A padded or cropped frame is exactly the frame of the map area's own size,
// placed, cut, and surrounded by the background: every pixel, the markers
// (cut at the map's edges) and the sun-centred turn included.
TEST(ComposeFrame, PaddedAndCroppedFramesAreTheMapSizedFramePlaced) {
  const Image map = CoordinateMap(360, 180);
  const EarthMapView view{map, 360, 180};
  const MarkerImages markers = SquareMarkers();
  const struct {
    std::int32_t width, height;
    MapFit fit;
  } cases[] = {{300, 250, MapFit::Pad},  {500, 120, MapFit::Pad}, {300, 250, MapFit::Crop},
               {500, 120, MapFit::Crop}, {201, 77, MapFit::Crop}, {77, 201, MapFit::Pad}};
  for (const UnixTime time : {kNoon2000, kJune2000 + 7 * 3600}) {
    for (const auto& c : cases) {
      for (const bool sunCentered : {false, true}) {
        const FrameOptions options = Frame(c.width, c.height, c.fit, sunCentered);
        const PixelRect area = MapArea(options);
        FrameOptions mapSized = options;
        mapSized.width = area.width;
        mapSized.height = area.height;
        mapSized.fit = MapFit::Stretch;
        Image expected(c.width, c.height, kBackground);
        CopyBlit(expected, area.x, area.y, ComposeFrame(mapSized, view, markers, time),
                 PixelRect{0, 0, area.width, area.height});
        EXPECT_EQ(ComposeFrame(options, view, markers, time), expected)
            << c.width << "x" << c.height << " fit " << static_cast<int>(c.fit) << " sun-centred "
            << sunCentered << " at " << time;
      }
    }
  }
}

// Rows handed on early are already final: they never change afterwards.
// Made from the plain map or resampled band by band, the same frame.
TEST(FinishFrameFromTheTop, RowsReadyEarlyAreFinal) {
  const Image map = CoordinateMap(360, 180);
  const EarthMapView view{map, 360, 180};
  const MarkerImages markers = SquareMarkers();
  const SkyPositions sky = SkyAt(kJune2000 + 5 * 3600);
  for (const MapFit fit : {MapFit::Stretch, MapFit::Pad, MapFit::Crop}) {
    for (const bool sunCentered : {false, true}) {
      for (const bool fromMap : {false, true}) {
        FrameOptions options = Frame(700, 500, fit, sunCentered);
        options.threads = 3;
        const Image expected = FinishFrame(options, PlainMap(options, view), markers, sky);
        Image frame = fromMap ? Image() : PlainMap(options, view);
        std::int32_t final = 0;
        int calls = 0;
        const auto check = [&](std::int32_t rows) {
          ++calls;
          ASSERT_GE(rows, final);
          for (std::int32_t y = final; y < rows; ++y) {
            for (std::int32_t x = 0; x < 700; ++x) ASSERT_EQ(frame.at(x, y), expected.at(x, y));
          }
          final = rows;
        };
        FinishFrameFromTheTop(options, frame, markers, sky, nullptr, check,
                              fromMap ? &view : nullptr);
        const std::string label = std::to_string(static_cast<int>(fit)) + " " +
                                  std::to_string(sunCentered) + std::to_string(fromMap);
        EXPECT_EQ(final, 500) << label;
        EXPECT_EQ(calls > 1, !sunCentered) << label;
        EXPECT_EQ(frame, expected) << label;
      }
    }
  }
}

// The sun's altitude at a pixel's corner, as the map geometry places it, by
// the spherical cosine rule (degrees; the program's degree factor).
double SunAltitude(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                   const SkyPositions& sky) {
  constexpr double k = 0.017453292;
  const double latitude = (90 - 180.0 * y / height) * k;
  const double west = (180 - 360.0 * x / width) * k;
  const double declination = sky.sun.declination * k;
  const double hourAngle = west - sky.sun.westLongitude * k;
  return std::asin(std::sin(latitude) * std::sin(declination) +
                   std::cos(latitude) * std::cos(declination) * std::cos(hourAngle)) /
         k;
}

TEST(NightOpacity, TwilightDarkensInThreeStepsUpToTheNightRule) {
  // sin(18 deg)^0.4 = 0.625163... The night rule at night darkness 50 takes
  // trunc(O x 170) from red and green and trunc(O x 127) from blue.
  constexpr double kAt18 = 0.62516;
  const struct {
    double altitude;  // degrees
    double opacity;
  } cases[] = {{-0.5, kAt18 / 4},  {-5.9, kAt18 / 4},      {-6.1, kAt18 / 2},
               {-11.9, kAt18 / 2}, {-12.1, kAt18 * 3 / 4}, {-17.9, kAt18 * 3 / 4},
               {-18.1, 0.62650},   {-45, 0.87055},         {-90, 1}};
  for (const auto& c : cases) {
    const double z = std::sin(c.altitude * 3.14159265358979 / 180);
    EXPECT_NEAR(NightOpacity(z, true), c.opacity, 1e-4) << c.altitude;
    EXPECT_EQ(NightOpacity(z, false), std::pow(-z, 0.4)) << c.altitude;
  }
  double previous = 0;
  for (double z = -1e-6; z > -1; z -= 1e-4) {
    EXPECT_GE(NightOpacity(z, true), previous) << z;
    previous = NightOpacity(z, true);
  }
}

TEST(ComposeFrame, TwilightAndNightLightsChangeOnlyWhatTheyShould) {
  const Image map = CoordinateMap(720, 360);
  const EarthMapView view{map, 720, 360};
  const Image lights(720, 360, MakePixel(255, 230, 120));
  const SkyPositions sky = SkyAt(kJune2000);
  const double kOpacityAt18 = std::pow(std::sin(18 * 3.14159265358979 / 180), 0.4);
  FrameOptions plain = Frame(720, 360, MapFit::Stretch, false);
  plain.showSun = plain.showMoon = false;
  const Image base = FinishFrame(plain, PlainMap(plain, view), SquareMarkers(), sky);
  FrameOptions twilight = plain;
  twilight.twilight = true;
  const Image dusk = FinishFrame(twilight, PlainMap(twilight, view), SquareMarkers(), sky);
  const Image lit = FinishFrame(plain, PlainMap(plain, view), SquareMarkers(), sky, &lights);

  int twilightPixels = 0;
  for (std::int32_t y = 0; y < 360; ++y) {
    for (std::int32_t x = 0; x < 720; ++x) {
      const double h = SunAltitude(x, y, 720, 360, sky);
      if (std::abs(h) < 1e-6 || std::abs(h + 18) < 1e-6) continue;  // on a border
      if (h > 0 || h < -18) {
        ASSERT_EQ(dusk.at(x, y), base.at(x, y)) << x << "," << y << " h " << h;
      } else if (std::abs(h + 6) > 1e-6 && std::abs(h + 12) > 1e-6) {
        // A quarter, a half, three quarters of the night's opacity at -18.
        ++twilightPixels;
        const double o = kOpacityAt18 * (h > -6 ? 0.25 : h > -12 ? 0.5 : 0.75);
        const auto darken = [](std::uint32_t value, double amount) {
          return std::max(0.0, value - std::floor(amount));
        };
        const Pixel m = map.at(x, y);
        const Pixel got = dusk.at(x, y);
        ASSERT_EQ(RedOf(got), darken(RedOf(m), o * 170)) << x << "," << y << " h " << h;
        ASSERT_EQ(GreenOf(got), darken(GreenOf(m), o * 170)) << x << "," << y;
        ASSERT_EQ(BlueOf(got), darken(BlueOf(m), o * 127)) << x << "," << y;
      }
      if (h > 0) {
        ASSERT_EQ(lit.at(x, y), base.at(x, y)) << x << "," << y;
      } else if (h < -1) {
        // (1 - O) x the night-shaded map + O x the lights, rounded.
        const double o = std::pow(-std::sin(h * 0.017453292), 0.4);
        const auto mix = [o](std::uint32_t night, std::uint32_t light) {
          return std::floor(night * (1 - o) + light * o + 0.5);
        };
        const Pixel got = lit.at(x, y);
        ASSERT_NEAR(RedOf(got), mix(RedOf(base.at(x, y)), 255), 1) << x << "," << y;
        ASSERT_NEAR(GreenOf(got), mix(GreenOf(base.at(x, y)), 230), 1) << x << "," << y;
        ASSERT_NEAR(BlueOf(got), mix(BlueOf(base.at(x, y)), 120), 1) << x << "," << y;
      }
    }
  }
  EXPECT_GT(twilightPixels, 720 * 360 / 20);
}

}  // namespace
}  // namespace lumivane
