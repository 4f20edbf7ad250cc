#include "app/tray_icon.h"

#include <gtest/gtest.h>

#include "fakes/fake_window_system.h"

namespace lumivane {
namespace {

TEST(TrayIcon, AddAndRemoveReachThePlatformOnceEach) {
  FakeWindowSystem window;
  TrayIcon tray;
  EXPECT_NE(tray.Remove(window), 0);  // never added: nothing called
  tray.Add(window);
  EXPECT_NE(tray.Add(window), 0);
  tray.Remove(window);
  tray.Remove(window);
  EXPECT_EQ(window.log, (std::vector<std::string>{"AddTrayIcon Lumivane", "RemoveTrayIcon"}));
}

TEST(TrayIcon, AFailedAddStaysAddedUntilRemoved) {
  FakeWindowSystem window;
  window.trayResult = 0;
  TrayIcon tray;
  EXPECT_EQ(tray.Add(window), 0);
  EXPECT_TRUE(tray.added());
  tray.Add(window);
  EXPECT_EQ(window.Calls("AddTrayIcon").size(), 1u);
  tray.Remove(window);
  tray.Add(window);
  EXPECT_EQ(window.Calls("AddTrayIcon").size(), 2u);
}

TEST(TrayIcon, TheTipIsCutTo63Characters) {
  FakeWindowSystem window;
  TrayIcon tray;
  tray.Add(window, std::string(100, 'x'));
  EXPECT_EQ(window.log.at(0), "AddTrayIcon " + std::string(63, 'x'));
}

}  // namespace
}  // namespace lumivane
