#include "app/application.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fakes/fake_app_ports.h"

namespace lumivane {
namespace {

TEST(RunApplication, LocksFirstThenRootsTheSettingsThenRunsTheWorldWindow) {
  FakeStartupPlatform platform;
  EXPECT_EQ(RunApplication(platform), 0);
  EXPECT_EQ(platform.log, (std::vector<std::string>{"Lock LumivaneMutex", "ProgramFilePath",
                                                    "SettingsRoot Brevanta/Lumivane",
                                                    "RunWorldWindow Lumivane"}));
}

TEST(RunApplication, ASecondInstanceEndsSilentlyBeforeAnythingElse) {
  FakeStartupPlatform platform;
  platform.lockFree = false;
  EXPECT_EQ(RunApplication(platform), 0);
  EXPECT_EQ(platform.log, (std::vector<std::string>{"Lock LumivaneMutex"}));
}

TEST(RunApplication, AnotherProgramFileNameUsesAnotherSettingsKey) {
  FakeStartupPlatform platform;
  platform.path = "/opt/clocks/SunDial";
  RunApplication(platform);
  EXPECT_EQ(platform.log.at(2), "SettingsRoot Brevanta/SunDial");
  EXPECT_EQ(platform.log.at(3), "RunWorldWindow SunDial");
}

TEST(ApplicationNameFromPath, DropsFolderAndLastExtension) {
  EXPECT_EQ(ApplicationNameFromPath("C:\\Tools\\Lumivane.exe"), "Lumivane");
  EXPECT_EQ(ApplicationNameFromPath("D:/a.b/clock.v2.EXE"), "clock.v2");
  EXPECT_EQ(ApplicationNameFromPath("Lumivane"), "Lumivane");
  EXPECT_EQ(ApplicationNameFromPath("/usr/bin/.hidden"), ".hidden");
  EXPECT_EQ(ApplicationNameFromPath("C:\\dir.with.dots\\Lumivane"), "Lumivane");
}

}  // namespace
}  // namespace lumivane
