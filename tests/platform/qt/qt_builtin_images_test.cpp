#include "platform/qt/qt_builtin_images.h"
#include "render/pin_names.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImageReader>
#include <QSize>
#include <memory>
#include <set>

namespace lumivane {
namespace {

constexpr Pixel kOcean = MakePixel(20, 92, 188);
constexpr Pixel kWhite = MakePixel(255, 255, 255);

TEST(QtBuiltinImageSource, EveryRoleDecodesAtItsSize) {
  struct Expected {
    BuiltinImage role;
    std::int32_t width, height;
  };
  const Expected roles[] = {
      {BuiltinImage::EarthMap, kDefaultEarthMapWidth, kDefaultEarthMapHeight},
      {BuiltinImage::SunImage, kSunMarkerSize, kSunMarkerSize},
      {BuiltinImage::SunMask, kSunMarkerSize, kSunMarkerSize},
      {BuiltinImage::MoonFullImage, kMoonMarkerSize, kMoonMarkerSize},
      {BuiltinImage::MoonNewImage, kMoonMarkerSize, kMoonMarkerSize},
      {BuiltinImage::MoonMask, kMoonMarkerSize, kMoonMarkerSize},
      {BuiltinImage::MoonFirstQuarterImage, kMoonMarkerSize, kMoonMarkerSize},
      {BuiltinImage::MoonLastQuarterImage, kMoonMarkerSize, kMoonMarkerSize},
      {BuiltinImage::NightLights, 1600, 800},
      {BuiltinImage::PinFont, kPinFontWidth, kPinFontHeight},
  };
  QtBuiltinImageSource source;
  for (const Expected& expected : roles) {
    const Image image = source.Load(expected.role);
    EXPECT_EQ(image.width(), expected.width) << ResourceFileName(expected.role);
    EXPECT_EQ(image.height(), expected.height) << ResourceFileName(expected.role);
  }
}

TEST(QtBuiltinImageSource, MarkersComeThroughTheLoaderIntact) {
  QtBuiltinImageSource source;
  const MarkerImages markers = LoadMarkerImages(source);
  EXPECT_EQ(markers.moonNew.at(10, 10), MakePixel(110, 110, 144));
  EXPECT_EQ(markers.moonMask.at(0, 0), kWhite);
  EXPECT_EQ(markers.moonMask.at(10, 10), MakePixel(0, 0, 0));
  EXPECT_EQ(markers.sunMask.at(20, 20), MakePixel(0, 0, 0));
  EXPECT_EQ(markers.sunImage.at(0, 0), MakePixel(0, 0, 0));
}

TEST(QtBuiltinImageSource, EarthMapIsTwoThirdsOceanWithIceAlongTheBottom) {
  QtBuiltinImageSource source;
  const Image map = source.Load(BuiltinImage::EarthMap);
  ASSERT_EQ(map.width(), 400);
  ASSERT_EQ(map.height(), 200);

  std::int32_t ocean = 0, white = 0;
  std::set<Pixel> colours;
  for (Pixel p : map.pixels()) {
    ocean += p == kOcean;
    white += p == kWhite;
    colours.insert(p);
  }
  const double total = 400.0 * 200.0;
  EXPECT_NEAR(ocean / total, 0.66, 0.03);
  EXPECT_NEAR(white / total, 0.12, 0.03);
  EXPECT_LE(colours.size(), 254u);

  for (std::int32_t y = 188; y < 200; ++y) {
    for (std::int32_t x = 0; x < 400; ++x) ASSERT_EQ(map.at(x, y), kWhite) << x << "," << y;
  }
  // The equator crosses open Pacific at both edges (the 180th meridian) and
  // the Gulf of Guinea near Greenwich; the Sahara is land.
  EXPECT_EQ(map.at(0, 100), kOcean);
  EXPECT_EQ(map.at(399, 100), kOcean);
  EXPECT_EQ(map.at(200, 101), kOcean);
  EXPECT_NE(map.at(215, 73), kOcean);  // about 15 E, 24 N
}

TEST(QtBuiltinImageSource, MissingPictureComesBackEmpty) {
  // Every role has a file; an out-of-range role has none.
  QtBuiltinImageSource source;
  EXPECT_TRUE(source.Load(static_cast<BuiltinImage>(99)).empty());
}

TEST(AppIcon, HoldsEverySizeTheShellsAskForWithTransparentCorners) {
  // QIcon needs a GUI application; make one if no other test did.
  std::unique_ptr<QGuiApplication> app;
  if (QGuiApplication::instance() == nullptr) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "qt_platform_tests";
    static char* argv[] = {name, nullptr};
    app = std::make_unique<QGuiApplication>(argc, argv);
  }
  const QIcon icon = AppIcon();
  ASSERT_FALSE(icon.isNull());
  std::set<int> sizes;
  for (const QSize& size : icon.availableSizes()) sizes.insert(size.width());
  EXPECT_EQ(sizes, (std::set<int>{16, 32, 48, 64}));
  const QImage small = icon.pixmap(QSize(16, 16)).toImage();
  EXPECT_EQ(small.size(), QSize(16, 16));
  // The corners are transparent at every size, the middle opaque, so a
  // panel shows through around the picture.
  for (int size : {16, 22, 32, 48, 64}) {
    const QImage picture = icon.pixmap(QSize(size, size)).toImage();
    EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0) << size;
    EXPECT_EQ(qAlpha(picture.pixel(size - 1, size - 1)), 0) << size;
    EXPECT_EQ(qAlpha(picture.pixel(size / 2, size / 2)), 255) << size;
  }
}

}  // namespace
}  // namespace lumivane
