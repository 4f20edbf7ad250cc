// The small translations between Qt and the core: key state, the platform
// choice, tray hovers and dialog units.
#include <gtest/gtest.h>

#include <QFont>

#include "platform/qt/dialog_units.h"
#include "platform/qt/display_platform.h"
#include "platform/qt/mouse_key_state.h"
#include "platform/qt/tray_hover_tracker.h"

namespace lumivane {
namespace {

TEST(MouseKeyState, ButtonsAndModifiersBecomeTheWindowsFlags) {
  EXPECT_EQ(MouseKeyState(Qt::NoButton, Qt::NoModifier), 0u);
  EXPECT_EQ(MouseKeyState(Qt::LeftButton, Qt::NoModifier), 0x01u);
  EXPECT_EQ(MouseKeyState(Qt::RightButton, Qt::NoModifier), 0x02u);
  EXPECT_EQ(MouseKeyState(Qt::LeftButton, Qt::ShiftModifier), 0x05u);
  EXPECT_EQ(MouseKeyState(Qt::LeftButton, Qt::ControlModifier), 0x09u);
  EXPECT_EQ(MouseKeyState(Qt::MiddleButton | Qt::LeftButton, Qt::NoModifier), 0x11u);
  // Keys the flags do not know about leave a left drag a left drag.
  EXPECT_EQ(MouseKeyState(Qt::LeftButton, Qt::AltModifier | Qt::MetaModifier), 0x01u);
}

TEST(PlatformToForce, XcbOnlyWithAnXDisplayAndNoPlatformChosen) {
  EXPECT_EQ(PlatformToForce("", ":0"), "xcb");
  EXPECT_EQ(PlatformToForce("wayland", ":0"), "");
  EXPECT_EQ(PlatformToForce("offscreen", ""), "");
  EXPECT_EQ(PlatformToForce("", ""), "");
}

TEST(TrayHoverTracker, ReportsEnteringAndMovingButNotResting) {
  TrayHoverTracker tracker;
  EXPECT_FALSE(tracker.Poll(false, QPoint(5, 5)));
  EXPECT_TRUE(tracker.Poll(true, QPoint(10, 10)));   // onto the icon
  EXPECT_FALSE(tracker.Poll(true, QPoint(10, 10)));  // resting
  EXPECT_TRUE(tracker.Poll(true, QPoint(11, 10)));   // moving over it
  EXPECT_FALSE(tracker.Poll(false, QPoint(40, 10)));
  EXPECT_TRUE(tracker.Poll(true, QPoint(11, 10)));   // back onto it at the same spot
}

TEST(DialogUnits, FourUnitsAcrossAreOneAverageLetterAndEightDownOneLine) {
  const DialogUnits units{QFont()};
  ASSERT_GT(units.baseWidth(), 0);
  ASSERT_GT(units.baseHeight(), 0);
  EXPECT_EQ(units.ToPixels(4, 8, 40, 16),
            QRect(units.baseWidth(), units.baseHeight(), 10 * units.baseWidth(),
                  2 * units.baseHeight()));
  // Rounded to the nearest pixel, not cut.
  EXPECT_EQ(units.XToPixels(2), (2 * units.baseWidth() + 2) / 4);
}

}  // namespace
}  // namespace lumivane
