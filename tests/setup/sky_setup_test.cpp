#include "setup/sky_setup.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes/fake_setup_view.h"

namespace lumivane {
namespace {

using ::testing::ElementsAre;

TEST(SkySetupTest, TheControlsShowTheChoiceAndOkTakesThemBack) {
  std::vector<std::string> log;
  FakeSkyView view{log};
  SkySetup sky(view, SkyChoice{true, false, "/maps/lights.png"});
  sky.OnInitDialog();
  EXPECT_THAT(log, ElementsAre("SetChecked 1101 1", "SetChecked 1102 0", "SetChecked 1103 0",
                               "SetChecked 1104 0", "SetChecked 1105 1",
                               "SetText 1106 \"/maps/lights.png\""));
  view.ClickByUser(SkyControl::PreciseSky);
  view.ClickByUser(SkyControl::NoLights);
  sky.OnCommand(ControlId(SkyControl::NoLights));
  sky.OnCommand(kOkCommand);
  EXPECT_EQ(sky.choice(), (SkyChoice{true, true, "None"}));
  EXPECT_EQ(view.result, kIdOk);
}

// The Places dialog's choice is kept until OK; a cancelled one changes nothing.
TEST(SkySetupTest, ThePlacesDialogsChoiceGoesWithOk) {
  std::vector<std::string> log;
  FakeSkyView view{log};
  SkySetup sky(view, SkyChoice{.places = {"1,2,A", true}});
  sky.OnInitDialog();
  log.clear();
  view.placesResult = PlacesChoice{"1,2,A;3,4,B", false};
  sky.OnCommand(ControlId(SkyControl::Places));
  view.placesResult = std::nullopt;
  sky.OnCommand(ControlId(SkyControl::Places));
  EXPECT_EQ(sky.choice().places, (PlacesChoice{"1,2,A", true}));  // not before OK
  sky.OnCommand(kOkCommand);
  EXPECT_EQ(sky.choice().places, (PlacesChoice{"1,2,A;3,4,B", false}));
  EXPECT_EQ(view.Calls({"RunPlacesDialog"}),
            (std::vector<std::string>{"RunPlacesDialog \"1,2,A\" 1 -> \"1,2,A;3,4,B\" 0",
                                      "RunPlacesDialog \"1,2,A;3,4,B\" 0 -> cancelled"}));
}

TEST(SkySetupTest, ThePicturesButtonAsksForAFileAndACancelledFirstChoiceGoesBack) {
  const struct {
    const char* what;
    std::string stored;
    std::optional<std::string> chosen;
    std::string taken;
  } cases[] = {
      {"a file chosen", "Default", "/maps/l.png", "/maps/l.png"},
      {"cancelled, no picture yet", "Default", std::nullopt, "Default"},
      {"cancelled, the old picture stays", "/maps/old.png", std::nullopt, "/maps/old.png"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> log;
    FakeSkyView view{log};
    view.fileChoice = c.chosen;
    SkySetup sky(view, SkyChoice{false, false, c.stored});
    sky.OnInitDialog();
    view.ClickByUser(SkyControl::PictureLights);
    sky.OnCommand(ControlId(SkyControl::PictureLights));
    sky.OnCommand(kOkCommand);
    EXPECT_EQ(sky.choice().nightLights, c.taken) << c.what;
    EXPECT_EQ(view.Checked(SkyControl::PictureLights), c.taken != "Default") << c.what;
  }
}

}  // namespace
}  // namespace lumivane
