#include "platform/win32/win32_events.h"

#include <gtest/gtest.h>

namespace lumivane::win32 {
namespace {

TEST(Win32Events, KeyStateAndTrayMessagesBecomeTheCoresEvents) {
  EXPECT_EQ(MouseKeysOf(0), MouseKeys{});
  EXPECT_EQ(MouseKeysOf(0x0001), MouseKeys{.leftButton = true});
  EXPECT_EQ(MouseKeysOf(0x0005), (MouseKeys{.leftButton = true, .shift = true}));
  EXPECT_EQ(MouseKeysOf(0x0009), (MouseKeys{.leftButton = true, .control = true}));
  EXPECT_EQ(MouseKeysOf(0x0012), (MouseKeys{.rightButton = true, .middleButton = true}));
  EXPECT_EQ(MouseKeysOf(0x0021), (MouseKeys{.leftButton = true, .extraButton = true}));

  EXPECT_EQ(TrayEventOf(0x0200), TrayEvent::PointerMoved);
  EXPECT_EQ(TrayEventOf(0x0202), TrayEvent::LeftButtonUp);
  EXPECT_EQ(TrayEventOf(0x0205), TrayEvent::RightButtonUp);
  for (const UINT other : {0x0201u, 0x0203u, 0x0204u, 0x0206u}) {
    EXPECT_FALSE(TrayEventOf(other)) << other;  // presses and double clicks
  }
}

}  // namespace
}  // namespace lumivane::win32
