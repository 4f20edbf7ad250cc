#include "app/tray_icon.h"

#include <gtest/gtest.h>

#include "fakes/fake_app_ports.h"

namespace lumivane {
namespace {

TEST(TrayIcon, AddAndRemoveReachThePlatformOnceEach) {
  FakeNotificationArea area;
  TrayIcon tray;
  EXPECT_NE(tray.Remove(area), 0);  // never added: nothing called
  tray.Add(area);
  EXPECT_NE(tray.Add(area), 0);
  tray.Remove(area);
  tray.Remove(area);
  EXPECT_EQ(area.log, (std::vector<std::string>{"AddTrayIcon Lumivane", "RemoveTrayIcon"}));
}

TEST(TrayIcon, AFailedAddStaysAddedUntilRemoved) {
  FakeNotificationArea area;
  area.trayResult = 0;
  TrayIcon tray;
  EXPECT_EQ(tray.Add(area), 0);
  EXPECT_TRUE(tray.added());
  tray.Add(area);
  EXPECT_EQ(area.Calls({"AddTrayIcon"}).size(), 1u);
  tray.Remove(area);
  tray.Add(area);
  EXPECT_EQ(area.Calls({"AddTrayIcon"}).size(), 2u);
}

TEST(TrayIcon, TheTipIsCutTo63Characters) {
  FakeNotificationArea area;
  TrayIcon tray;
  tray.Add(area, std::string(100, 'x'));
  EXPECT_EQ(area.log.at(0), "AddTrayIcon " + std::string(63, 'x'));
}

}  // namespace
}  // namespace lumivane
