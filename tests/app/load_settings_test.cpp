#include "app/load_settings.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes/fake_profile_store.h"
#include "fakes/fake_app_ports.h"

namespace lumivane {
namespace {

using ::testing::ElementsAre;

class LoadSettingsTest : public ::testing::Test {
 protected:
  ClockSettings Load(std::int32_t nativeWidth = 400, std::int32_t nativeHeight = 200) {
    return LoadSettings(store, window, tray, area, nativeWidth, nativeHeight);
  }

  std::vector<std::string> log;
  FakeProfileStore store{log};
  FakeWindow window{log};
  FakeNotificationArea area{log};
  TrayIcon tray;
};

TEST_F(LoadSettingsTest, EmptyStoreGivesDefaultsReadInOrderWithEffectsBetween) {
  const ClockSettings s = Load();

  EXPECT_THAT(
      log, ElementsAre(
               "ReadSettingInt anchor/x 0 -> 0", "ReadSettingInt anchor/y 0 -> 0",
               "ReadSettingInt position/x 0 -> 0", "ReadSettingInt position/y 0 -> 0",
               "ReadSettingInt options/sun 1 -> 1", "ReadSettingInt options/suncentered 0 -> 0",
               "ReadSettingInt options/moon 1 -> 1", "ReadSettingInt position/ontop 0 -> 0",
               "SetWindowPos HWND_NOTOPMOST", "ReadSettingInt options/tray 1 -> 1",
               "AddTrayIcon Lumivane", "ReadSettingInt size/scale 30 -> 30",
               "ReadSettingInt size/w 400 -> 400", "ReadSettingInt size/h 200 -> 200",
               "ReadSettingInt colors/nightfilter 50 -> 50", "ReadSettingInt sky/twilight 0 -> 0",
               "ReadSettingInt sky/precise 0 -> 0",
               "ReadSettingString sky/nightlights \"None\" -> \"None\"",
               "ReadSettingString places/pins \"\" -> \"\"", "ReadSettingInt places/names 1 -> 1"));
  EXPECT_EQ(s.anchorX, 0);
  EXPECT_EQ(s.anchorY, 0);
  EXPECT_EQ(s.positionX, 0);
  EXPECT_EQ(s.positionY, 0);
  EXPECT_TRUE(s.showSun);
  EXPECT_FALSE(s.sunCentered);
  EXPECT_TRUE(s.showMoon);
  EXPECT_FALSE(s.onTop);
  EXPECT_EQ(s.scale, 30);
  EXPECT_EQ(s.nightDarkness, 50);
  EXPECT_EQ(s.displayWidth, 400);
  EXPECT_EQ(s.displayHeight, 200);
  EXPECT_EQ(store.ValueCount(), 0u);
}

TEST_F(LoadSettingsTest, StoredValuesAreTakenAsStoredAndAnyNonzeroFlagIsOn) {
  store.Set("anchor", "x", -1);
  store.Set("anchor", "y", 1);
  store.Set("position", "x", -250);
  store.Set("position", "y", 3000);
  store.Set("options", "sun", 0);
  store.Set("options", "suncentered", 7);
  store.Set("options", "moon", 0);
  store.Set("position", "ontop", -3);
  store.Set("options", "tray", 0);
  store.Set("sky", "twilight", 1);
  store.Set("sky", "precise", 7);  // the sky's flags are 0 or 1, else the default
  store.Set("sky", "nightlights", "/maps/lights.png");

  const ClockSettings s = Load();

  EXPECT_EQ(s.anchorX, -1);
  EXPECT_EQ(s.anchorY, 1);
  EXPECT_EQ(s.positionX, -250);
  EXPECT_EQ(s.positionY, 3000);
  EXPECT_FALSE(s.showSun);
  EXPECT_TRUE(s.sunCentered);
  EXPECT_FALSE(s.showMoon);
  EXPECT_TRUE(s.onTop);
  EXPECT_THAT(log, ::testing::Contains("SetWindowPos HWND_TOPMOST"));
  EXPECT_FALSE(tray.added());
  EXPECT_TRUE(s.twilight);
  EXPECT_FALSE(s.preciseSky);
  EXPECT_EQ(s.nightLightsFile, "/maps/lights.png");
  const FrameOptions frame = FrameOptionsFor(s, 400);
  EXPECT_TRUE(frame.twilight);
  EXPECT_FALSE(frame.precise);
}

TEST_F(LoadSettingsTest, ScaleAndNightDarknessAreClampedInMemoryOnly) {
  struct Case {
    std::int32_t stored;
    std::int32_t used;
  };
  for (Case c :
       {Case{0, 1}, Case{-40, 1}, Case{1, 1}, Case{100, 100}, Case{101, 100}, Case{250, 100}}) {
    store.Set("size", "scale", c.stored);
    store.Set("colors", "nightfilter", c.stored);
    log.clear();

    const ClockSettings s = Load();

    EXPECT_EQ(s.scale, c.used) << c.stored;
    EXPECT_EQ(s.nightDarkness, c.used) << c.stored;
    EXPECT_EQ(store.IntValue("size", "scale"), c.stored);
    EXPECT_EQ(store.IntValue("colors", "nightfilter"), c.stored);
    EXPECT_EQ(store.Calls({"Write"}), std::vector<std::string>{});
  }
}

TEST_F(LoadSettingsTest, BuiltInMapDisplaySizeByScale) {
  struct Case {
    std::int32_t scale, width, height;
  };
  for (Case c : {Case{1, 13, 6}, Case{10, 133, 66}, Case{15, 200, 100}, Case{30, 400, 200},
                 Case{45, 600, 300}, Case{60, 800, 400}, Case{100, 1333, 666}}) {
    store.Set("size", "scale", c.scale);
    const ClockSettings s = Load();
    EXPECT_EQ(s.displayWidth, c.width) << c.scale;
    EXPECT_EQ(s.displayHeight, c.height) << c.scale;
  }
}

TEST_F(LoadSettingsTest, UserMapSizeIsTheBaseUnlessWidthOrHeightIsStored) {
  struct Case {
    std::int32_t scale, storedWidth;  // storedWidth 0: none stored
    std::int32_t nativeWidth, nativeHeight, width, height;
  };
  for (const Case c : {Case{30, 0, 1024, 512, 1024, 512}, Case{15, 0, 1024, 512, 512, 256},
                       Case{30, 0, 600, 200, 600, 200},  // a 3:1 map keeps its proportions
                       // A hand-edited width stretches the map on that side only.
                       Case{30, 800, 400, 200, 800, 200}}) {
    store.Set("size", "scale", c.scale);
    if (c.storedWidth != 0) store.Set("size", "w", c.storedWidth);
    const ClockSettings s = Load(c.nativeWidth, c.nativeHeight);
    EXPECT_EQ(s.displayWidth, c.width) << c.nativeWidth << " at " << c.scale;
    EXPECT_EQ(s.displayHeight, c.height) << c.nativeWidth << " at " << c.scale;
  }
}

TEST_F(LoadSettingsTest, HugeHandEditedBaseFallsBackToTheNativeSize) {
  // -1 is 4294967295 read as unsigned: far beyond any display.
  store.Set("size", "w", -1);
  store.Set("size", "h", 300);
  const ClockSettings s = Load(1024, 512);
  EXPECT_EQ(s.displayWidth, 1024);
  EXPECT_EQ(s.displayHeight, 512);
  EXPECT_EQ(store.IntValue("size", "w"), -1);
}

}  // namespace
}  // namespace lumivane
