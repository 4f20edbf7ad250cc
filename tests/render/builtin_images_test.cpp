#include "render/builtin_images.h"

#include <gtest/gtest.h>

#include "fakes/fake_settings_ports.h"

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace lumivane {
namespace {

constexpr BuiltinImage kAllImages[] = {
    BuiltinImage::EarthMap,
    BuiltinImage::SunImage,
    BuiltinImage::SunMask,
    BuiltinImage::MoonFullImage,
    BuiltinImage::MoonNewImage,
    BuiltinImage::MoonMask,
    BuiltinImage::MoonFirstQuarterImage,
    BuiltinImage::MoonLastQuarterImage,
    BuiltinImage::NightLights,
    BuiltinImage::PinFont,
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

TEST(LoadMarkerImages, LoadsTheSevenMarkersInOrderThenThePinFontAndNeverTheMap) {
  FakeBuiltinImages source;
  LoadMarkerImages(source);
  EXPECT_EQ(source.log,
            (std::vector<std::string>{"LoadBuiltin 134", "LoadBuiltin 136", "LoadBuiltin 137",
                                      "LoadBuiltin 138", "LoadBuiltin 140", "LoadBuiltin 141",
                                      "LoadBuiltin 139", "LoadBuiltin 143"}));
}

TEST(LoadMarkerImages, EachPictureLandsInItsRole) {
  FakeBuiltinImages source;
  const MarkerImages markers = LoadMarkerImages(source);
  EXPECT_EQ(IdOf(markers.sunImage), 134u);
  EXPECT_EQ(IdOf(markers.sunMask), 136u);
  EXPECT_EQ(IdOf(markers.moonMask), 139u);
  const std::pair<MoonPhase, Pixel> moons[] = {{MoonPhase::New, 138},
                                               {MoonPhase::FirstQuarter, 140},
                                               {MoonPhase::Full, 137},
                                               {MoonPhase::LastQuarter, 141}};
  for (const auto& [phase, id] : moons) {
    EXPECT_EQ(IdOf(markers.MoonImage(phase)), id) << MoonPhaseName(phase);
  }
}

}  // namespace
}  // namespace lumivane
