#include "settings/earth_map.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes/fake_profile_store.h"
#include "fakes/fake_settings_ports.h"

namespace lumivane {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;

// The log of a load that quietly takes the built-in map.
const std::vector<std::string> kBuiltInMapQuietly = {
    "ReadSettingString options/image \"Default\" -> \"Default\"", "LoadBuiltin EarthMap"};

class EarthMapTest : public ::testing::Test {
 protected:
  void Load() { LoadEarthMap(map, store, loader, owner, builtins); }

  std::vector<std::string> log;
  FakeProfileStore store{log};
  FakeMapImageLoader loader{log};
  FakeMessageSink owner{log};
  FakeBuiltinImages builtins{log};
  EarthMap map;
};

TEST_F(EarthMapTest, MissingOrDefaultSettingGivesTheBuiltInMapWithoutMessage) {
  Load();
  EXPECT_EQ(log, kBuiltInMapQuietly);
  EXPECT_EQ(map.image, Image(400, 200, FakeBuiltinImages::kEarthMapFill));
  EXPECT_EQ(map.nativeWidth, 400);
  EXPECT_EQ(map.nativeHeight, 200);

  store.Set("options", "image", "Default");
  log.clear();
  Load();
  EXPECT_EQ(log, kBuiltInMapQuietly);
}

TEST_F(EarthMapTest, AUsersFileGivesItsPictureAndSizeAndNoBuiltInMap) {
  const Image picture(1024, 512, 0x00102030);
  loader.files["/maps/earth.bmp"] = picture;
  store.Set("options", "image", "/maps/earth.bmp");

  Load();

  // The file is marked as being loaded for exactly as long as the loader has it.
  EXPECT_THAT(log, ElementsAre("ReadSettingString options/image \"Default\" -> \"/maps/earth.bmp\"",
                               "ReadSettingString options/loadingimage \"Default\" -> \"Default\"",
                               "WriteSettingString options/loadingimage \"/maps/earth.bmp\"",
                               "LoadImageFile \"/maps/earth.bmp\" -> 1024x512",
                               "WriteSettingString options/loadingimage \"Default\""));
  EXPECT_EQ(map.image, picture);
  EXPECT_EQ(map.nativeWidth, 1024);
  EXPECT_EQ(map.nativeHeight, 512);
}

TEST_F(EarthMapTest, AFileThatFailsIsForgottenReportedAndReplacedByTheBuiltInMap) {
  loader.files["/maps/old.bmp"] = Image(600, 200);
  ASSERT_TRUE(LoadMapFile(map, loader, "/maps/old.bmp"));
  store.Set("options", "image", "D:\\maps\\earth.bmp");
  log.clear();

  Load();

  EXPECT_THAT(log,
              ElementsAre("ReadSettingString options/image \"Default\" -> \"D:\\maps\\earth.bmp\"",
                          "ReadSettingString options/loadingimage \"Default\" -> \"Default\"",
                          "WriteSettingString options/loadingimage \"D:\\maps\\earth.bmp\"",
                          "LoadImageFile \"D:\\maps\\earth.bmp\" -> failed",
                          "WriteSettingString options/image \"Default\"",
                          "WriteSettingString options/loadingimage \"Default\"",
                          "ShowMessage \"Unable to load:\\nD:\\maps\\earth.bmp"
                          "\\nUsing default image.\"",
                          "LoadBuiltin EarthMap"));
  EXPECT_EQ(map.nativeWidth, 400);
  EXPECT_EQ(map.nativeHeight, 200);
  EXPECT_EQ(map.image.width(), 400);

  // Reported once: the next load takes the built-in map quietly.
  log.clear();
  Load();
  EXPECT_EQ(log, kBuiltInMapQuietly);
}

// A mark still naming the chosen file is what a load that brought the
// program down leaves behind; any other mark is stale and changes nothing.
TEST_F(EarthMapTest, AFileWhoseLoadNeverEndedIsForgottenUnreadAndAnyOtherMarkIsIgnored) {
  loader.files["/maps/earth.bmp"] = Image(1024, 512);
  const struct {
    const char* mark;  // nullptr: none stored
    bool loads;
  } cases[] = {
      {nullptr, true}, {"Default", true}, {"/maps/other.bmp", true}, {"/maps/earth.bmp", false}};
  for (const auto& c : cases) {
    store.Set("options", "image", "/maps/earth.bmp");
    if (c.mark != nullptr) store.Set("options", "loadingimage", c.mark);
    log.clear();
    Load();
    EXPECT_EQ(map.nativeWidth, c.loads ? 1024 : 400) << c.mark;
    EXPECT_EQ(store.StringValue("options", "loadingimage"), "Default") << c.mark;
    if (!c.loads) {
      EXPECT_THAT(log, ElementsAre("ReadSettingString options/image \"Default\" -> "
                                   "\"/maps/earth.bmp\"",
                                   "ReadSettingString options/loadingimage \"Default\" -> "
                                   "\"/maps/earth.bmp\"",
                                   "WriteSettingString options/image \"Default\"",
                                   "WriteSettingString options/loadingimage \"Default\"",
                                   "ShowMessage \"Unable to load:\\n/maps/earth.bmp"
                                   "\\nUsing default image.\"",
                                   "LoadBuiltin EarthMap"));
    }
  }
}

TEST_F(EarthMapTest, TheTextIsTriedAsAFileNameWhateverItIs) {
  for (const char* stored : {"", "default", "DEFAULT", "Default "}) {
    store.Set("options", "image", stored);
    log.clear();
    Load();
    EXPECT_THAT(log, Contains("LoadImageFile " + Quoted(stored) + " -> failed"));
    EXPECT_THAT(log, Contains("ShowMessage " + Quoted(std::string("Unable to load:\n") + stored +
                                                      "\nUsing default image.")));
  }
}

TEST_F(EarthMapTest, AFailedFileLeavesTheMapAsItWas) {
  const Image picture(1024, 512, 0x00ABCDEF);
  loader.files["/maps/big.bmp"] = picture;
  loader.files["/maps/empty.bmp"] = Image();  // decodes to nothing
  ASSERT_TRUE(LoadMapFile(map, loader, "/maps/big.bmp"));

  EXPECT_FALSE(LoadMapFile(map, loader, "/maps/missing.bmp"));
  EXPECT_FALSE(LoadMapFile(map, loader, "/maps/empty.bmp"));

  EXPECT_EQ(map.image, picture);
  EXPECT_EQ(map.nativeWidth, 1024);
  EXPECT_EQ(map.nativeHeight, 512);
}

TEST_F(EarthMapTest, CityLightsFollowTheirSettingAndAFailedFileGoesAsAMapFileGoes) {
  loader.files["/maps/lights.png"] = Image(800, 400, 0x00FFCC66);
  const struct {
    const char* stored;  // nullptr: not stored
    bool lit;
    const char* storedAfter;
  } cases[] = {
      {nullptr, false, nullptr},
      {"None", false, "None"},
      {"Default", true, "Default"},
      {"/maps/lights.png", true, "/maps/lights.png"},
      {"/maps/missing.png", false, "None"},
  };
  for (const auto& c : cases) {
    FakeProfileStore sky{log};
    if (c.stored) sky.Set("sky", "nightlights", c.stored);
    const std::optional<Image> lights = LoadNightLights(sky, loader, owner, builtins);
    EXPECT_EQ(lights.has_value(), c.lit) << (c.stored ? c.stored : "(none)");
    if (c.storedAfter) {
      EXPECT_EQ(sky.StringValue("sky", "nightlights"), c.storedAfter);
    }
  }
  EXPECT_THAT(log, Contains("ShowMessage \"Unable to load:\\n/maps/missing.png\\nUsing "
                            "default image.\""));
}

}  // namespace
}  // namespace lumivane
