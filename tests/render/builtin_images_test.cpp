#include "render/builtin_images.h"

#include <gtest/gtest.h>

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

// Records each load as "Load <resource id>" and hands out a 1x1 picture whose
// only pixel is the resource id, so a test can tell which picture went where.
class FakeBuiltinImageSource final : public BuiltinImageSource {
 public:
  Image Load(BuiltinImage image) override {
    calls.push_back("Load " + std::to_string(ResourceId(image)));
    return Image(1, 1, static_cast<Pixel>(ResourceId(image)));
  }
  std::vector<std::string> calls;
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
  FakeBuiltinImageSource source;
  LoadMarkerImages(source);
  EXPECT_EQ(source.calls, (std::vector<std::string>{"Load 134", "Load 136", "Load 137",
                                                    "Load 138", "Load 140", "Load 141",
                                                    "Load 139"}));
}

TEST(LoadMarkerImages, EachPictureLandsInItsRole) {
  FakeBuiltinImageSource source;
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
