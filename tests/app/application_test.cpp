#include "app/application.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace lumivane {
namespace {

class FakeStartup : public StartupPlatform {
 public:
  std::vector<std::string> log;
  bool lockFree = true;
  std::string path = "C:\\Tools\\Lumivane.exe";

  bool AcquireSingleInstanceLock(const std::string& name) override {
    log.push_back("Lock " + name);
    return lockFree;
  }
  std::string ProgramFilePath() override {
    log.push_back("ProgramFilePath");
    return path;
  }
  void UseSettingsRoot(const std::string& company, const std::string& application) override {
    log.push_back("SettingsRoot " + company + "/" + application);
  }
  int RunWorldWindow(const std::string& applicationName) override {
    log.push_back("RunWorldWindow " + applicationName);
    return -1;
  }
};

TEST(RunApplication, LocksFirstThenRootsTheSettingsThenRunsTheWorldWindow) {
  FakeStartup platform;
  EXPECT_EQ(RunApplication(platform), 0);
  EXPECT_EQ(platform.log,
            (std::vector<std::string>{"Lock LumivaneMutex", "ProgramFilePath",
                                      "SettingsRoot Brevanta/Lumivane",
                                      "RunWorldWindow Lumivane"}));
}

TEST(RunApplication, ASecondInstanceEndsSilentlyBeforeAnythingElse) {
  FakeStartup platform;
  platform.lockFree = false;
  EXPECT_EQ(RunApplication(platform), 0);
  EXPECT_EQ(platform.log, (std::vector<std::string>{"Lock LumivaneMutex"}));
}

TEST(RunApplication, AnotherProgramFileNameUsesAnotherSettingsKey) {
  FakeStartup platform;
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
