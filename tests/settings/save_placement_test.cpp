#include "settings/save_placement.h"

#include <algorithm>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes/fake_profile_store.h"
#include "fakes/fake_settings_ports.h"

namespace lumivane {
namespace {

using ::testing::ElementsAre;

class SavePlacementTest : public ::testing::Test {
 protected:
  std::vector<std::string> log;
  FakeProfileStore store{log};
  FakeStartupRegistration registration{log};
  FakeMessageSink owner{log};
};

TEST_F(SavePlacementTest, WritesAnchorsAndTheWindowsCornerThenUpdatesTheEntry) {
  ClockSettings settings;
  settings.anchorX = 1;
  settings.anchorY = -1;
  settings.positionX = 10;  // stale: the window has been dragged since
  settings.positionY = 20;

  SavePlacement(store, settings, 880, -5, registration, owner);

  EXPECT_THAT(log, ElementsAre("WriteSettingInt anchor/x 1", "WriteSettingInt anchor/y -1",
                               "WriteSettingInt position/x 880", "WriteSettingInt position/y -5",
                               "ReadSettingInt options/start 0 -> 0", "Unregister",
                               "WriteSettingInt options/start 0"));
}

TEST_F(SavePlacementTest, AStoredWishOfFiveIsRewrittenWithTheCurrentPathAndStaysFive) {
  store.Set("options", "start", 5);
  registration.programPath = "/usr/local/bin/lumivane";

  SavePlacement(store, ClockSettings{}, 0, 0, registration, owner);

  EXPECT_EQ(registration.entry, "\"/usr/local/bin/lumivane\"");
  EXPECT_EQ(store.IntValue("options", "start"), 5);
}

TEST_F(SavePlacementTest, ATooLongPathIsReportedOnceSinceTheWishIsThenOff) {
  store.Set("options", "start", 1);
  registration.programPath = std::string(300, 'x');

  SavePlacement(store, ClockSettings{}, 0, 0, registration, owner);
  SavePlacement(store, ClockSettings{}, 0, 0, registration, owner);

  EXPECT_EQ(std::count(log.begin(), log.end(), "ShowMessage \"File pathname is too long.\""), 1);
  EXPECT_EQ(store.IntValue("options", "start"), 0);
}

}  // namespace
}  // namespace lumivane
