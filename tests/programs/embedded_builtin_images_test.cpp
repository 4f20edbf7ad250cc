#include "embedded_builtin_images.h"

#include <gtest/gtest.h>

#include "platform/qt/qt_builtin_images.h"

namespace lumivane {
namespace {

TEST(EmbeddedBuiltinImages, EveryPictureIsPixelForPixelWhatQtDecodes) {
  EmbeddedBuiltinImageSource embedded;
  QtBuiltinImageSource qt;
  for (const BuiltinImage role :
       {BuiltinImage::EarthMap, BuiltinImage::SunImage, BuiltinImage::SunMask,
        BuiltinImage::MoonFullImage, BuiltinImage::MoonNewImage, BuiltinImage::MoonMask,
        BuiltinImage::MoonFirstQuarterImage, BuiltinImage::MoonLastQuarterImage,
        BuiltinImage::NightLights, BuiltinImage::PinFont}) {
    const Image ours = embedded.Load(role);
    const Image theirs = qt.Load(role);
    ASSERT_FALSE(theirs.empty()) << ResourceFileName(role);
    EXPECT_TRUE(ours == theirs) << ResourceFileName(role);
  }
}

TEST(EmbeddedBuiltinImages, AnUnknownRoleGivesNoPicture) {
  EXPECT_TRUE(EmbeddedBuiltinImageSource().Load(static_cast<BuiltinImage>(99)).empty());
}

}  // namespace
}  // namespace lumivane
