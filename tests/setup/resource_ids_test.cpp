// The core's resource numbers are the Windows resource script's.
#include <gtest/gtest.h>

#include "render/builtin_images.h"
#include "resource.h"
#include "setup/setup_ids.h"

namespace lumivane {
namespace {

TEST(ResourceIds, CoreNumbersAreTheResourceScripts) {
  EXPECT_EQ(ResourceId(BuiltinImage::EarthMap), IDB_DEFAULT_EARTH_MAP);
  EXPECT_EQ(ResourceId(BuiltinImage::SunImage), IDB_SUN_IMAGE);
  EXPECT_EQ(ResourceId(BuiltinImage::SunMask), IDB_SUN_MASK);
  EXPECT_EQ(ResourceId(BuiltinImage::MoonFullImage), IDB_MOON_FULL_IMAGE);
  EXPECT_EQ(ResourceId(BuiltinImage::MoonNewImage), IDB_MOON_NEW_IMAGE);
  EXPECT_EQ(ResourceId(BuiltinImage::MoonMask), IDB_MOON_MASK);
  EXPECT_EQ(ResourceId(BuiltinImage::MoonFirstQuarterImage), IDB_MOON_FIRST_QUARTER_IMAGE);
  EXPECT_EQ(ResourceId(BuiltinImage::MoonLastQuarterImage), IDB_MOON_LAST_QUARTER_IMAGE);
  EXPECT_EQ(ResourceId(BuiltinImage::NightLights), IDB_NIGHT_LIGHTS);

  EXPECT_EQ(kOkCommand, 1);  // IDOK
  EXPECT_EQ(kCancelCommand, 2);  // IDCANCEL
  EXPECT_EQ(kExitCommand, IDC_EXIT);
  EXPECT_EQ(kSetDefaultCommand, IDC_SET_DEFAULT);
  EXPECT_EQ(kEarthMapCommand, IDC_EARTH_MAP);
  EXPECT_EQ(static_cast<int>(SetupTrackbar::NightDarkness), IDC_NIGHT_DARKNESS);
  EXPECT_EQ(static_cast<int>(SetupTrackbar::Scale), IDC_SCALE);
  EXPECT_EQ(static_cast<int>(SetupCheckBox::AlwaysOnTop), IDC_ALWAYS_ON_TOP);
  EXPECT_EQ(static_cast<int>(SetupCheckBox::ShowTrayIcon), IDC_SHOW_TRAY_ICON);
  EXPECT_EQ(static_cast<int>(SetupCheckBox::ShowSun), IDC_SHOW_SUN);
  EXPECT_EQ(static_cast<int>(SetupCheckBox::ShowMoon), IDC_SHOW_MOON);
  EXPECT_EQ(static_cast<int>(SetupCheckBox::RunAtStartup), IDC_RUN_AT_STARTUP);
  EXPECT_EQ(static_cast<int>(SetupCheckBox::SunCentered), IDC_SUN_CENTERED);
  EXPECT_EQ(kSkyCommand, IDC_SKY);
  EXPECT_EQ(ControlId(SkyControl::Twilight), IDC_TWILIGHT);
  EXPECT_EQ(ControlId(SkyControl::PreciseSky), IDC_PRECISE_SKY);
  EXPECT_EQ(ControlId(SkyControl::NoLights), IDC_NO_LIGHTS);
  EXPECT_EQ(ControlId(SkyControl::BuiltinLights), IDC_BUILTIN_LIGHTS);
  EXPECT_EQ(ControlId(SkyControl::PictureLights), IDC_PICTURE_LIGHTS);
  EXPECT_EQ(ControlId(SkyControl::LightsFileName), IDC_LIGHTS_FILE_NAME);
}

}  // namespace
}  // namespace lumivane
