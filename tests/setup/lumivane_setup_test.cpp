#include "setup/lumivane_setup.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes/fake_profile_store.h"
#include "fakes/fake_settings_ports.h"
#include "fakes/fake_setup_view.h"

namespace lumivane {
namespace {

using ::testing::ElementsAre;

class LumivaneSetupTest : public ::testing::Test {
 protected:
  // The log lines that write to the store or end the dialog.
  std::vector<std::string> Effects() const {
    return store.Calls({"Write", "EndDialog", "Register", "Unregister"});
  }

  std::vector<std::string> log;
  FakeProfileStore store{log};
  FakeSetupView view{log};
  FakeStartupRegistration registration{log};
  FakeMessageSink owner{log};
  LumivaneSetup setup{store, view, registration, owner};
};

TEST_F(LumivaneSetupTest, InitialisationShowsTheStoredValuesInOrder) {
  store.Set("size", "scale", 45);
  store.Set("colors", "nightfilter", 80);
  store.Set("position", "ontop", 1);
  store.Set("options", "sun", 0);
  store.Set("options", "start", 5);

  setup.OnInitDialog();

  EXPECT_THAT(
      log, ElementsAre(
               "ConfigureTrackbar 1002 ticks 10 range 1..100",
               "ConfigureTrackbar 1001 ticks 10 range 1..100", "ReadSettingInt size/scale 30 -> 45",
               "SetTrackbarPosition 1002 45", "ReadSettingInt colors/nightfilter 50 -> 80",
               "SetTrackbarPosition 1001 80", "ReadSettingInt position/ontop 0 -> 1",
               "SetChecked 1003 1", "ReadSettingInt options/sun 1 -> 0", "SetChecked 1005 0",
               "ReadSettingInt options/suncentered 0 -> 0", "SetChecked 1010 0",
               "ReadSettingInt options/moon 1 -> 1", "SetChecked 1006 1",
               "ReadSettingInt options/tray 1 -> 1", "SetChecked 1004 1",
               "ReadSettingInt options/start 0 -> 5", "SetChecked 1009 1",
               "ReadSettingInt sky/twilight 0 -> 0", "ReadSettingInt sky/precise 0 -> 0",
               "ReadSettingString sky/nightlights \"None\" -> \"None\"",
               "ReadSettingString places/pins \"\" -> \"\"", "ReadSettingInt places/names 1 -> 1"));
}

TEST_F(LumivaneSetupTest, OutOfRangeScaleIsShownClampedAndOkStoresTheClampedValue) {
  store.Set("size", "scale", 0);
  store.Set("colors", "nightfilter", 150);
  setup.OnInitDialog();
  EXPECT_EQ(view.Position(SetupTrackbar::Scale), 1);
  EXPECT_EQ(view.Position(SetupTrackbar::NightDarkness), 100);

  setup.OnOK();
  EXPECT_EQ(store.IntValue("size", "scale"), 1);
  EXPECT_EQ(store.IntValue("colors", "nightfilter"), 100);
}

TEST_F(LumivaneSetupTest, OkWritesEverythingInOrderWithTheStartEntryBeforeMoon) {
  setup.OnInitDialog();
  view.MoveTrackbarByUser(SetupTrackbar::Scale, 60);
  view.MoveTrackbarByUser(SetupTrackbar::NightDarkness, 20);
  view.SetCheckedByUser(SetupCheckBox::RunAtStartup, true);
  view.SetCheckedByUser(SetupCheckBox::SunCentered, true);
  view.SetCheckedByUser(SetupCheckBox::ShowMoon, false);
  registration.programPath = "/opt/lumivane/bin/lumivane";
  log.clear();

  EXPECT_TRUE(setup.OnCommand(kOkCommand));

  EXPECT_THAT(
      Effects(),
      ElementsAre("WriteSettingInt size/scale 60", "WriteSettingInt colors/nightfilter 20",
                  "WriteSettingInt position/ontop 0", "WriteSettingInt options/tray 1",
                  "WriteSettingInt options/sun 1", "WriteSettingInt options/suncentered 1",
                  "Register \"\"/opt/lumivane/bin/lumivane\"\"", "WriteSettingInt options/start 1",
                  "WriteSettingInt options/moon 0", "EndDialog 1"));
  EXPECT_EQ(view.result, kIdOk);
}

TEST_F(LumivaneSetupTest, OkWithRunAtStartupUntickedRemovesTheEntry) {
  registration.entry = "\"/old/place/lumivane\"";
  store.Set("options", "start", 1);
  setup.OnInitDialog();
  view.SetCheckedByUser(SetupCheckBox::RunAtStartup, false);

  setup.OnOK();
  EXPECT_FALSE(registration.entry.has_value());
  EXPECT_EQ(store.IntValue("options", "start"), 0);
}

TEST_F(LumivaneSetupTest, OkStillEndsWithOneWhenThePathIsTooLong) {
  registration.programPath = std::string(257, 'a');
  setup.OnInitDialog();
  view.SetCheckedByUser(SetupCheckBox::RunAtStartup, true);

  setup.OnOK();

  EXPECT_THAT(log, ::testing::Contains("ShowMessage \"File pathname is too long.\""));
  EXPECT_EQ(store.IntValue("options", "start"), 0);
  EXPECT_EQ(view.result, kIdOk);
}

TEST_F(LumivaneSetupTest, CancelAndExitWriteNothing) {
  setup.OnInitDialog();
  view.MoveTrackbarByUser(SetupTrackbar::Scale, 99);
  log.clear();

  EXPECT_TRUE(setup.OnCommand(kCancelCommand));
  EXPECT_TRUE(setup.OnCommand(kExitCommand));

  EXPECT_THAT(log, ElementsAre("EndDialog 2", "EndDialog 77"));
  EXPECT_EQ(store.ValueCount(), 0u);
}

TEST_F(LumivaneSetupTest, SetDefaultWritesTheDefaultsAndLeavesPlacementAndStartAlone) {
  store.Set("options", "start", 1);
  store.Set("anchor", "x", 1);
  store.Set("position", "x", 700);
  registration.entry = "\"/opt/lumivane/lumivane\"";
  setup.OnInitDialog();
  view.MoveTrackbarByUser(SetupTrackbar::Scale, 90);
  log.clear();

  EXPECT_TRUE(setup.OnCommand(kSetDefaultCommand));

  EXPECT_THAT(log,
              ElementsAre("WriteSettingInt size/scale 30", "WriteSettingInt colors/nightfilter 50",
                          "WriteSettingInt position/ontop 0", "WriteSettingInt options/tray 1",
                          "WriteSettingInt options/sun 1", "WriteSettingInt options/suncentered 0",
                          "WriteSettingInt options/moon 1",
                          "WriteSettingString options/image \"Default\"", "EndDialog 88"));
  EXPECT_EQ(store.IntValue("options", "start"), 1);
  EXPECT_EQ(registration.entry, "\"/opt/lumivane/lumivane\"");
}

TEST_F(LumivaneSetupTest, EarthMapStoresOnlyTheChosenFile) {
  setup.OnInitDialog();
  view.MoveTrackbarByUser(SetupTrackbar::Scale, 77);
  view.fileChoice = "/home/ann/maps/earth 2.bmp";
  log.clear();

  EXPECT_TRUE(setup.OnCommand(kEarthMapCommand));

  EXPECT_THAT(log, ElementsAre("ReadSettingString options/image \"Default\" -> \"Default\"",
                               "PromptOpenFile \"Default\" -> \"/home/ann/maps/earth 2.bmp\"",
                               "WriteSettingString options/image \"/home/ann/maps/earth 2.bmp\"",
                               "EndDialog 88"));
}

TEST_F(LumivaneSetupTest, CancellingTheFileDialogLeavesEverythingAsItWas) {
  store.Set("options", "image", "/maps/current.bmp");
  setup.OnInitDialog();
  view.MoveTrackbarByUser(SetupTrackbar::Scale, 12);
  log.clear();

  setup.OnEarthMap();

  EXPECT_THAT(log, ElementsAre("ReadSettingString options/image \"Default\" -> "
                               "\"/maps/current.bmp\"",
                               "PromptOpenFile \"/maps/current.bmp\" -> cancelled"));
  EXPECT_FALSE(view.result.has_value());
  EXPECT_EQ(view.Position(SetupTrackbar::Scale), 12);
}

TEST_F(LumivaneSetupTest, TheInitialFileNameIsCutTo259CharactersNeverSplittingOne) {
  store.Set("options", "image", "/" + std::string(300, 'm'));
  setup.OnEarthMap();
  EXPECT_EQ(log.back(), "PromptOpenFile " + Quoted("/" + std::string(258, 'm')) + " -> cancelled");

  // Characters, not bytes: a two-byte letter is one of the 259, and an
  // emoji (two UTF-16 units) across the cut is dropped whole.
  store.Set("options", "image", std::string(258, 'm') + "\xC3\xA9" + "tail");
  setup.OnEarthMap();
  EXPECT_EQ(log.back(),
            "PromptOpenFile " + Quoted(std::string(258, 'm') + "\xC3\xA9") + " -> cancelled");
  store.Set("options", "image", std::string(258, 'm') + "\xF0\x9F\x8C\x8D");
  setup.OnEarthMap();
  EXPECT_EQ(log.back(), "PromptOpenFile " + Quoted(std::string(258, 'm')) + " -> cancelled");
}

TEST_F(LumivaneSetupTest, UnknownCommandsChangeNothing) {
  EXPECT_FALSE(setup.OnCommand(3));
  EXPECT_FALSE(setup.OnCommand(1001));
  EXPECT_TRUE(log.empty());
}

TEST_F(LumivaneSetupTest, TheSkyDialogEditsWhatOkStoresAndCancelOrSetDefaultDrop) {
  const SkyChoice edited{.twilight = true,
                         .precise = true,
                         .nightLights = "Default",
                         .places = {"1,2,Home;bad", true}};
  // Set Default keeps the pins: they are the user's list, not a look.
  const struct {
    const char* what;
    bool skyOk;   // the Sky dialog ends with OK
    int command;  // then the setup's
    std::vector<std::string> skyWrites;
  } cases[] = {
      {"OK stores only what changed",
       true,
       kOkCommand,
       {"WriteSettingInt sky/twilight 1", "WriteSettingString sky/nightlights \"Default\"",
        "WriteSettingString places/pins \"1,2,Home;bad\""}},
      {"a cancelled Sky dialog changes nothing", false, kOkCommand, {}},
      {"the setup's Cancel drops the sky", true, kCancelCommand, {}},
      {"Set Default puts back the stored sky's defaults",
       true,
       kSetDefaultCommand,
       {"WriteSettingInt sky/precise 0"}},
  };
  for (const auto& c : cases) {
    FakeProfileStore sky{log};
    sky.Set("sky", "precise", 1);
    sky.Set("places", "pins", "3,4,Old");
    LumivaneSetup dialog{sky, view, registration, owner};
    view.skyChoice = c.skyOk ? std::optional(edited) : std::nullopt;
    dialog.OnInitDialog();
    log.clear();
    dialog.OnCommand(kSkyCommand);
    EXPECT_THAT(
        log, ElementsAre(std::string("RunSkyDialog 01 \"None\" -> ") + (c.skyOk ? "OK" : "Cancel")))
        << c.what;
    log.clear();
    dialog.OnCommand(c.command);
    EXPECT_EQ(sky.Calls({"WriteSettingInt sky", "WriteSettingString sky", "WriteSettingInt places",
                         "WriteSettingString places"}),
              c.skyWrites)
        << c.what;
  }
}

}  // namespace
}  // namespace lumivane
