#include "render/shade_day_night.h"

#include <cmath>
#include <cstdint>

#include <gtest/gtest.h>

#include "astro/map_geometry.h"
#include "astro/solar_position.h"
#include "render/shade_rules.h"

namespace lumivane {
namespace {

// The shading as defined, one pixel at a time with no shortcuts; with city
// lights, each night channel is (1 - O) x the darkened map + O x the lights,
// rounded, where O = (-z)^0.4, or the twilight bands' opacity, also sets the
// darkening.
Image ShadeOnePixelAtATime(Image image, double declination, double westLongitude, int nf,
                           const Image* lights = nullptr, bool twilight = false) {
  const NightAmounts amounts = NightAmountsFor(nf);
  const auto lit = [&](Pixel pixel, Pixel light, double z) {
    const double o = twilight ? NightOpacity(z, true) : std::pow(-z, 0.4);
    const Pixel dark = DarkenPixel(pixel, static_cast<std::int32_t>(o * amounts.redGreen),
                                   static_cast<std::int32_t>(o * amounts.blue));
    const auto mix = [o](double map, double light) {
      return static_cast<std::uint32_t>(map + (light - map) * o + 0.5);
    };
    return MakePixel(mix(RedOf(dark), RedOf(light)), mix(GreenOf(dark), GreenOf(light)),
                     mix(BlueOf(dark), BlueOf(light)));
  };
  for (std::int32_t y = 0; y < image.height(); ++y) {
    const double latitude = MapGeometry::RowToLatitude(y, image.height());
    for (std::int32_t x = 0; x < image.width(); ++x) {
      const double west = MapGeometry::ColumnToWestLongitude(x, image.width());
      const double z = MapGeometry::SolarZenithCosine(declination, westLongitude, latitude, west);
      image.at(x, y) = lights && z < 0 ? lit(image.at(x, y), lights->at(x, y), z)
                                       : ShadePixel(image.at(x, y), z, amounts);
    }
  }
  return image;
}

// A map with every channel value present in many places.
Image Pattern(std::int32_t width, std::int32_t height, std::uint32_t seed = 12345) {
  Image image(width, height);
  for (std::int32_t y = 0; y < height; ++y) {
    for (std::int32_t x = 0; x < width; ++x) {
      seed = seed * 1664525u + 1013904223u;
      image.at(x, y) = seed >> 8;
    }
  }
  return image;
}

TEST(ShadeDayNight, EveryPixelMatchesTheOnePixelRule) {
  struct Size {
    std::int32_t w, h;
  };
  // The widest one has long runs of night pixels with the same amounts.
  const Size sizes[] = {{1, 1}, {13, 6}, {400, 200}, {333, 167}, {1333, 666}, {8192, 41}};
  const UnixTime clocks[] = {946728000, 961588800, 969667200, 1700000000, 0};
  const int darkness[] = {1, 37, 50, 75, 100};
  int combination = 0;
  for (const Size& size : sizes) {
    const Image map = Pattern(size.w, size.h);
    for (UnixTime clock : clocks) {
      const SubSolarPoint sun = ComputeSubSolarPoint(clock).sun;
      const int nf = darkness[combination++ % 5];
      Image fast = map;
      ShadeDayNight(fast, sun.declination, sun.westLongitude, nf);
      const Image expected = ShadeOnePixelAtATime(map, sun.declination, sun.westLongitude, nf);
      ASSERT_EQ(fast, expected) << size.w << "x" << size.h << " clock " << clock << " nf " << nf;

      const Image lights = Pattern(size.w, size.h, 777);
      const bool twilight = combination % 2 == 0;
      const ShadeExtras extras{
          .mapArea = {0, 0, size.w, size.h}, .twilight = twilight, .nightLights = &lights};
      Image lit = map;
      ShadeDayNight(lit, sun.declination, sun.westLongitude, nf, extras);
      ASSERT_EQ(
          lit, ShadeOnePixelAtATime(map, sun.declination, sun.westLongitude, nf, &lights, twilight))
          << "with lights " << size.w << "x" << size.h << " clock " << clock << " nf " << nf
          << (twilight ? " and twilight" : "");
    }
  }
}

TEST(ShadeDayNight, SunsOnRowAndColumnBoundariesAndThePoles) {
  // Suns that put z exactly on 0 or on the poles, where rounding is tightest.
  const Image map = Pattern(360, 180);
  for (double declination : {0.0, 23.44, -23.44, 90.0, -89.5}) {
    for (double west : {0.0, 90.0, -180.0, 179.5}) {
      Image fast = map;
      ShadeDayNight(fast, declination, west, 50);
      ASSERT_EQ(fast, ShadeOnePixelAtATime(map, declination, west, 50))
          << declination << " " << west;
    }
  }
}

TEST(ShadeDayNight, SinglePixelIsTheNorthPoleAtTheDateLine) {
  Image image(1, 1, MakePixel(200, 200, 200));
  ShadeDayNight(image, 20, 180, 50);  // the pole sees the sun 20 degrees up
  const double z = MapGeometry::SolarZenithCosine(20, 180, 90, 180);
  EXPECT_EQ(image.at(0, 0), ShadePixel(MakePixel(200, 200, 200), z, NightAmountsFor(50)));

  Image night(1, 1, MakePixel(200, 200, 200));
  ShadeDayNight(night, -20, 0, 50);
  EXPECT_LT(RedOf(night.at(0, 0)), 200u);
}

TEST(ShadeDayNight, EmptyImageIsLeftAlone) {
  Image image;
  ShadeDayNight(image, 0, 0, 50);
  EXPECT_TRUE(image.empty());
}

}  // namespace
}  // namespace lumivane
