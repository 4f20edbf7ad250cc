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
