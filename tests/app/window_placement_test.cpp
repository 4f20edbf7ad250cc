#include "app/window_placement.h"

#include <gtest/gtest.h>

#include "fakes/fake_app_ports.h"

namespace lumivane {
namespace {

constexpr MouseKeys kLeftButtonOnly{.leftButton = true};

// A 400 x 200 window on a 1280 x 800 desktop, dragged from client (50, 50).
class Drag : public ::testing::Test {
 protected:
  void SetUp() override {
    window.window = WindowRect{300, 300, 700, 500};
    DragStep(window, timers, settings, grab, kLeftButtonOnly, 50, 50);
  }

  // One drag step that would put the window's top-left corner at (left, top)
  // before snapping.
  void MoveTo(std::int32_t left, std::int32_t top) {
    DragStep(window, timers, settings, grab, kLeftButtonOnly, 50 + left - window.window.left,
             50 + top - window.window.top);
  }

  std::vector<std::string> log;
  FakeWindow window{log};
  FakeTimers timers{log};
  ClockSettings settings;
  GrabPoint grab;
};

TEST_F(Drag, FirstMoveOnlyRecordsTheGrabPointAndStopsThePeek) {
  EXPECT_EQ(grab.x, 50);
  EXPECT_EQ(grab.y, 50);
  EXPECT_EQ(window.log, (std::vector<std::string>{"KillTimer 2"}));
  EXPECT_EQ(window.window, (WindowRect{300, 300, 700, 500}));
}

TEST_F(Drag, MovesByThePointerOffsetAndKeepsTheGrabPoint) {
  window.log.clear();
  DragStep(window, timers, settings, grab, kLeftButtonOnly, 80, 30);
  EXPECT_EQ(window.log,
            (std::vector<std::string>{"KillTimer 2", "MonitorRects", "GetWindowPlacement",
                                      "SetWindowPlacement 330,280,730,480"}));
  EXPECT_EQ(grab.x, 50);
  EXPECT_EQ(settings.anchorX, 0);
  EXPECT_EQ(settings.anchorY, 0);
}

TEST_F(Drag, EdgesSnapFromOutsideAndInside) {
  struct Case {
    WindowRect from;
    std::int32_t left, top;  // where the step alone would put the corner
    WindowRect to;
    std::int32_t anchorX, anchorY;
  };
  const WindowRect start{300, 300, 700, 500};
  for (const Case& c : {
           // The top edge snaps from 25 above to 8 below.
           Case{start, 300, -20, {300, 0, 700, 200}, 0, -1},
           Case{start, 300, -26, {300, -26, 700, 174}, 0, 0},
           Case{start, 300, 8, {300, 0, 700, 200}, 0, -1},
           Case{start, 300, 9, {300, 9, 700, 209}, 0, 0},
           // The right edge from 25 past to 8 short.
           Case{start, 1280 - 400 + 25, 300, {880, 300, 1280, 500}, 1, 0},
           Case{start, 1280 - 400 - 8, 300, {880, 300, 1280, 500}, 1, 0},
           Case{start, 1280 - 400 - 9, 300, {871, 300, 1271, 500}, 0, 0},
           Case{start, 1280 - 400 + 26, 300, {906, 300, 1306, 500}, 0, 0},
           // The bottom and the left edge too.
           Case{start, -25, 800 - 200 + 8, {0, 600, 400, 800}, -1, 1},
           // A window larger than the desktop keeps to the top and the left.
           Case{{0, 0, 2000, 1000}, -10, -10, {0, 0, 2000, 1000}, -1, -1},
       }) {
    SCOPED_TRACE(::testing::Message() << c.left << "," << c.top);
    window.window = c.from;
    MoveTo(c.left, c.top);
    EXPECT_EQ(window.window, c.to);
    EXPECT_EQ(settings.anchorX, c.anchorX);
    EXPECT_EQ(settings.anchorY, c.anchorY);
  }
}

TEST_F(Drag, ShiftOrControlOrNoButtonEndsTheDragWithoutMoving) {
  for (const MouseKeys keys : {MouseKeys{.leftButton = true, .shift = true},
                               MouseKeys{.leftButton = true, .control = true}, MouseKeys{},
                               MouseKeys{.rightButton = true}}) {
    grab = GrabPoint{50, 50};
    window.log.clear();
    DragStep(window, timers, settings, grab, keys, 90, 90);
    EXPECT_EQ(grab.x, -1);
    EXPECT_EQ(grab.y, -1);
    EXPECT_TRUE(window.log.empty());
    EXPECT_EQ(window.window, (WindowRect{300, 300, 700, 500}));
  }
}

TEST_F(Drag, APointerReEnteringFarAwayBringsTheGrabPointUnderItAtOnce) {
  // The pointer left the window during a fast drag and re-enters at (350, 20)
  // of the window: the window jumps so that (50, 50) is under it again.
  DragStep(window, timers, settings, grab, kLeftButtonOnly, 350, 20);
  EXPECT_EQ(window.window, (WindowRect{600, 270, 1000, 470}));
}

class Anchoring : public ::testing::Test {
 protected:
  FakeWindow window;
  ClockSettings settings;
};

TEST_F(Anchoring, LostWindowsComeBackAndAnchoredOnesFollowTheDesktop) {
  struct Case {
    const char* what;
    std::int32_t anchorX, anchorY;
    WindowRect from, desktop;
    bool placed;  // whether the placement is written at all
    WindowRect to;
    std::int32_t anchorXAfter, anchorYAfter;
  };
  const WindowRect screen{0, 0, 1280, 800};
  const WindowRect smaller{0, 0, 1024, 740};
  for (const Case& c : {
           Case{"unanchored on the desktop",
                0,
                0,
                {100, 100, 500, 300},
                screen,
                false,
                {100, 100, 500, 300},
                0,
                0},
           Case{"wholly right of the desktop",
                0,
                0,
                {1281, 100, 1681, 300},
                screen,
                true,
                {0, 100, 400, 300},
                -1,
                0},
           Case{"touching an edge is not outside",
                0,
                0,
                {1280, 800, 1680, 1000},
                screen,
                false,
                {1280, 800, 1680, 1000},
                0,
                0},
           Case{"above the desktop",
                0,
                0,
                {100, -500, 500, -300},
                screen,
                true,
                {100, 0, 500, 200},
                0,
                -1},
           Case{"right and bottom anchors",
                1,
                1,
                {880, 600, 1280, 800},
                smaller,
                true,
                {624, 540, 1024, 740},
                1,
                1},
           Case{"lost, anchored right",
                1,
                0,
                {-3000, 100, -2600, 300},
                smaller,
                true,
                {624, 100, 1024, 300},
                1,
                0},
           Case{"lost, hand-edited anchors",
                5,
                -7,
                {5000, 4000, 5400, 4200},
                screen,
                true,
                {0, 0, 400, 200},
                -1,
                -1},
           Case{"hand-edited anchor on the desktop, kept",
                5,
                0,
                {100, 100, 500, 300},
                screen,
                true,
                {100, 100, 500, 300},
                5,
                0},
           Case{"lost to the right and hanging below: comes back whole",
                0,
                0,
                {1300, 700, 1700, 900},
                screen,
                true,
                {0, 600, 400, 800},
                -1,
                0},
       }) {
    SCOPED_TRACE(c.what);
    settings.anchorX = c.anchorX;
    settings.anchorY = c.anchorY;
    window.window = c.from;
    window.desktop = c.desktop;
    window.log.clear();
    ReAnchor(window, settings);
    EXPECT_EQ(window.Calls({"SetWindowPlacement"}).empty(), !c.placed);
    EXPECT_EQ(window.window, c.to);
    EXPECT_EQ(settings.anchorX, c.anchorXAfter);
    EXPECT_EQ(settings.anchorY, c.anchorYAfter);
  }
}

// A 1600 x 900 primary with a 1280 x 1024 monitor to its right: each rule
// works against the monitor that shows most of the window.
constexpr WindowRect kPrimary{0, 0, 1600, 900};
constexpr WindowRect kSecond{1600, 0, 2880, 1024};

TEST_F(Drag, SnapsToTheEdgesOfTheMonitorItIsOn) {
  struct Case {
    const char* what;
    std::int32_t left, top;  // where the step alone would put the corner
    WindowRect to;
    std::int32_t anchorX, anchorY;
  };
  window.desktop = kPrimary;
  window.otherMonitors = {kSecond};
  for (const Case& c : {
           Case{"5 short of the second's right edge", 2475, 300, {2480, 300, 2880, 500}, 1, 0},
           Case{"5 short of the second's bottom edge", 2000, 819, {2000, 824, 2400, 1024}, 0, 1},
           Case{"the primary's bottom is no edge on the second",
                2000,
                705,
                {2000, 705, 2400, 905},
                0,
                0},
           Case{"mostly on the primary: its right edge", 1210, 300, {1200, 300, 1600, 500}, 1, 0},
           Case{"mostly on the second: its left edge", 1590, 300, {1600, 300, 2000, 500}, -1, 0},
       }) {
    SCOPED_TRACE(c.what);
    window.window = WindowRect{2000, 300, 2400, 500};
    MoveTo(c.left, c.top);
    EXPECT_EQ(window.window, c.to);
    EXPECT_EQ(settings.anchorX, c.anchorX);
    EXPECT_EQ(settings.anchorY, c.anchorY);
  }
}

TEST_F(Anchoring, AWindowStaysOnItsMonitorAndALostOneComesBackWholeOnTheNearest) {
  struct Case {
    const char* what;
    std::vector<WindowRect> others;  // the monitors besides the primary
    std::int32_t anchorX, anchorY;
    WindowRect from;
    bool placed;
    WindowRect to;
    std::int32_t anchorXAfter, anchorYAfter;
  };
  const WindowRect smallerSecond{1600, 0, 2624, 768};
  for (const Case& c : {
           Case{"unanchored on the second",
                {kSecond},
                0,
                0,
                {2000, 300, 2400, 500},
                false,
                {2000, 300, 2400, 500},
                0,
                0},
           Case{"anchored to the second's bottom right",
                {kSecond},
                1,
                1,
                {2480, 824, 2880, 1024},
                true,
                {2480, 824, 2880, 1024},
                1,
                1},
           Case{"the second shrank under it: its corner, on the second",
                {smallerSecond},
                1,
                1,
                {2480, 824, 2880, 1024},
                true,
                {2224, 568, 2624, 768},
                1,
                1},
           Case{"the second removed: whole on the primary",
                {},
                0,
                0,
                {2000, 800, 2400, 1000},
                true,
                {0, 700, 400, 900},
                -1,
                0},
           Case{"the second removed: the right edge kept",
                {},
                1,
                0,
                {2480, 300, 2880, 500},
                true,
                {1200, 300, 1600, 500},
                1,
                0},
           Case{"stored where no monitor shows it: the nearest",
                {kSecond},
                0,
                0,
                {5000, 300, 5400, 500},
                true,
                {1600, 300, 2000, 500},
                -1,
                0},
       }) {
    SCOPED_TRACE(c.what);
    window.desktop = kPrimary;
    window.otherMonitors = c.others;
    settings.anchorX = c.anchorX;
    settings.anchorY = c.anchorY;
    window.window = c.from;
    window.log.clear();
    ReAnchor(window, settings);
    EXPECT_EQ(window.Calls({"SetWindowPlacement"}).empty(), !c.placed);
    EXPECT_EQ(window.window, c.to);
    EXPECT_EQ(settings.anchorX, c.anchorXAfter);
    EXPECT_EQ(settings.anchorY, c.anchorYAfter);
  }
}

TEST_F(Anchoring, ApplyPlacementSetsPositionAndSizeThenReAnchors) {
  settings.positionX = 2000;
  settings.positionY = 50;
  settings.displayWidth = 600;
  settings.displayHeight = 300;
  ApplyPlacement(window, settings);
  EXPECT_EQ(window.Calls({"SetWindowPlacement"}),
            (std::vector<std::string>{"SetWindowPlacement 2000,50,2600,350",
                                      "SetWindowPlacement 0,50,600,350"}));
  EXPECT_EQ(settings.anchorX, -1);
}

TEST_F(Anchoring, ExtremeStoredPositionsDoNotOverflow) {
  settings.positionX = 2147483647;
  settings.positionY = -2147483647 - 1;
  settings.displayWidth = 400;
  settings.displayHeight = 200;
  ApplyPlacement(window, settings);
  EXPECT_EQ(window.window, (WindowRect{0, 0, 400, 200}));
}

}  // namespace
}  // namespace lumivane
