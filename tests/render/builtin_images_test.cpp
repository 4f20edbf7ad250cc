#include "render/builtin_images.h"

#include <gtest/gtest.h>

#include "fakes/fake_settings_ports.h"

#include <set>
#include <string>
#include <vector>

namespace lumivane {
namespace {

constexpr BuiltinImage kAllImages[] = {
    BuiltinImage::EarthMap,        BuiltinImage::SunImage,
    BuiltinImage::SunMask,         BuiltinImage::MoonFullImage,
    BuiltinImage::MoonNewImage,    BuiltinImage::MoonMask,
    BuiltinImage::MoonFirstQuarterImage, BuiltinImage::MoonLastQuarterImage,
};

Pixel IdOf(const Image& image) { return image.at(0, 0); }

TEST(BuiltinImages, EveryRoleHasItsOwnBitmapFile) {
  std::set<std::string> names;
  for (BuiltinImage image : kAllImages) {
    const std::string name = ResourceFileName(image);
    EXPECT_TRUE(name.ends_with(".bmp")) << name;
    names.insert(name);
  }
  EXPECT_EQ(names.size(), std::size(kAllImages));
}

TEST(BuiltinImages, MoonPictureFollowsThePhase) {
  EXPECT_EQ(MoonImageFor(MoonPhase::New), BuiltinImage::MoonNewImage);
  EXPECT_EQ(MoonImageFor(MoonPhase::FirstQuarter), BuiltinImage::MoonFirstQuarterImage);
  EXPECT_EQ(MoonImageFor(MoonPhase::Full), BuiltinImage::MoonFullImage);
  EXPECT_EQ(MoonImageFor(MoonPhase::LastQuarter), BuiltinImage::MoonLastQuarterImage);
}

TEST(LoadMarkerImages, LoadsTheSevenMarkersInOrderAndNeverTheMap) {
  FakeBuiltinImages source;
  LoadMarkerImages(source);
  EXPECT_EQ(source.log, (std::vector<std::string>{"LoadBuiltin 134", "LoadBuiltin 136",
                                                  "LoadBuiltin 137", "LoadBuiltin 138",
                                                  "LoadBuiltin 140", "LoadBuiltin 141",
                                                  "LoadBuiltin 139"}));
}

TEST(LoadMarkerImages, EachPictureLandsInItsRole) {
  FakeBuiltinImages source;
  const MarkerImages markers = LoadMarkerImages(source);
  EXPECT_EQ(IdOf(markers.sunImage), 134u);
  EXPECT_EQ(IdOf(markers.sunMask), 136u);
  EXPECT_EQ(IdOf(markers.moonMask), 139u);
  for (MoonPhase phase : {MoonPhase::New, MoonPhase::FirstQuarter, MoonPhase::Full,
                          MoonPhase::LastQuarter}) {
    EXPECT_EQ(IdOf(markers.MoonImage(phase)),
              static_cast<Pixel>(ResourceId(MoonImageFor(phase))))
        << MoonPhaseName(phase);
  }
}

}  // namespace
}  // namespace lumivane
