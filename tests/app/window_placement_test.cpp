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
  EXPECT_EQ(window.log, (std::vector<std::string>{"KillTimer 2", "DesktopRect",
                                                  "GetWindowPlacement",
                                                  "SetWindowPlacement 330,280,730,480"}));
  EXPECT_EQ(grab.x, 50);
  EXPECT_EQ(settings.anchorX, 0);
  EXPECT_EQ(settings.anchorY, 0);
}

TEST_F(Drag, TopEdgeSnapsFrom25AboveTo8Below) {
  MoveTo(300, -20);
  EXPECT_EQ(window.window.top, 0);
  EXPECT_EQ(settings.anchorY, -1);

  MoveTo(300, -26);
  EXPECT_EQ(window.window.top, -26);
  EXPECT_EQ(settings.anchorY, 0);

  MoveTo(300, 8);
  EXPECT_EQ(window.window.top, 0);
  EXPECT_EQ(settings.anchorY, -1);

  MoveTo(300, 9);
  EXPECT_EQ(window.window.top, 9);
  EXPECT_EQ(settings.anchorY, 0);
}

TEST_F(Drag, RightEdgeSnapsFrom25PastTo8Short) {
  MoveTo(1280 - 400 + 25, 300);
  EXPECT_EQ(window.window.right, 1280);
  EXPECT_EQ(settings.anchorX, 1);

  MoveTo(1280 - 400 - 8, 300);
  EXPECT_EQ(window.window.right, 1280);
  EXPECT_EQ(settings.anchorX, 1);

  MoveTo(1280 - 400 - 9, 300);
  EXPECT_EQ(window.window.right, 1271);
  EXPECT_EQ(settings.anchorX, 0);

  MoveTo(1280 - 400 + 26, 300);
  EXPECT_EQ(window.window.right, 1306);
  EXPECT_EQ(settings.anchorX, 0);
}

TEST_F(Drag, BottomAndLeftSnapToo) {
  MoveTo(-25, 800 - 200 + 8);
  EXPECT_EQ(window.window, (WindowRect{0, 600, 400, 800}));
  EXPECT_EQ(settings.anchorX, -1);
  EXPECT_EQ(settings.anchorY, 1);
}

TEST_F(Drag, AWindowLargerThanTheDesktopKeepsToTheTopAndLeft) {
  window.window = WindowRect{0, 0, 2000, 1000};
  MoveTo(-10, -10);
  EXPECT_EQ(window.window, (WindowRect{0, 0, 2000, 1000}));
  EXPECT_EQ(settings.anchorX, -1);
  EXPECT_EQ(settings.anchorY, -1);
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

TEST_F(Anchoring, AnUnanchoredWindowOnTheDesktopIsLeftAlone) {
  window.window = WindowRect{100, 100, 500, 300};
  ReAnchor(window, settings);
  EXPECT_EQ(window.Calls({"SetWindowPlacement"}).size(), 0u);
}

TEST_F(Anchoring, AWindowWhollyRightOfTheDesktopComesBackAtTheLeftEdge) {
  window.window = WindowRect{1281, 100, 1681, 300};
  ReAnchor(window, settings);
  EXPECT_EQ(window.window, (WindowRect{0, 100, 400, 300}));
  EXPECT_EQ(settings.anchorX, -1);
  EXPECT_EQ(settings.anchorY, 0);
}

TEST_F(Anchoring, TouchingAnEdgeIsNotOutside) {
  window.window = WindowRect{1280, 800, 1680, 1000};
  ReAnchor(window, settings);
  EXPECT_EQ(settings.anchorX, 0);
  EXPECT_EQ(settings.anchorY, 0);
  EXPECT_EQ(window.Calls({"SetWindowPlacement"}).size(), 0u);
}

TEST_F(Anchoring, AWindowAboveTheDesktopComesBackAtTheTop) {
  window.window = WindowRect{100, -500, 500, -300};
  ReAnchor(window, settings);
  EXPECT_EQ(window.window, (WindowRect{100, 0, 500, 200}));
  EXPECT_EQ(settings.anchorY, -1);
}

TEST_F(Anchoring, RightAndBottomAnchorsFollowAChangedDesktop) {
  settings.anchorX = 1;
  settings.anchorY = 1;
  window.window = WindowRect{880, 600, 1280, 800};
  window.desktop = WindowRect{0, 0, 1024, 740};
  ReAnchor(window, settings);
  EXPECT_EQ(window.window, (WindowRect{624, 540, 1024, 740}));

  // A lost window anchored right comes back at the right edge.
  window.window = WindowRect{-3000, 100, -2600, 300};
  settings.anchorY = 0;
  ReAnchor(window, settings);
  EXPECT_EQ(window.window, (WindowRect{624, 100, 1024, 300}));
}

TEST_F(Anchoring, AHandEditedAnchorDoesNotStrandALostWindow) {
  settings.anchorX = 5;
  settings.anchorY = -7;
  window.window = WindowRect{5000, 4000, 5400, 4200};
  ReAnchor(window, settings);
  EXPECT_EQ(window.window, (WindowRect{0, 0, 400, 200}));
  EXPECT_EQ(settings.anchorX, -1);
  EXPECT_EQ(settings.anchorY, -1);

  // On the desktop such a value anchors nothing and is kept.
  settings.anchorX = 5;
  settings.anchorY = 0;
  window.window = WindowRect{100, 100, 500, 300};
  ReAnchor(window, settings);
  EXPECT_EQ(window.window, (WindowRect{100, 100, 500, 300}));
  EXPECT_EQ(settings.anchorX, 5);
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
