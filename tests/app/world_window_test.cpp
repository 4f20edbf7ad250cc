#include "app/world_window.h"

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fakes/fake_profile_store.h"
#include "fakes/fixed_clock.h"
#include "fakes/fake_settings_ports.h"
#include "fakes/fake_app_ports.h"
#include "fakes/fake_frame_window.h"
#include "fakes/fake_time_zones.h"

namespace lumivane {
namespace {

using Lines = std::vector<std::string>;

constexpr TrayEvent kHover = TrayEvent::PointerMoved;
constexpr TrayEvent kLeftUp = TrayEvent::LeftButtonUp;
constexpr TrayEvent kRightUp = TrayEvent::RightButtonUp;

// A world window over fakes that share one log, so a test reads the whole
// story in order. Redraws paint at once, as the platform's would.
class World : public ::testing::Test {
 protected:
  World() {
    window.onRedraw = [this] { world->OnPaint(); };
  }

  void Start() {
    world.emplace(WorldWindowPorts{window, timers, tray, setup, frame, store, loader, messages,
                                   startup, images, clock, zones});
    world->OnInitDialog();
    log.clear();
  }

  // The lines that start with any of the prefixes, in order.
  Lines Only(std::initializer_list<std::string_view> prefixes) const {
    return window.Calls(prefixes);
  }

  Lines log;
  FakeWindow window{log};
  FakeTimers timers{log};
  FakeNotificationArea tray{log};
  FakeSetupDialog setup{log};
  FakeFrameWindow frame{log};
  FakeProfileStore store{log};
  FakeMapImageLoader loader{log};
  FakeMessageSink messages{log};
  FakeStartupRegistration startup{log};
  FakeBuiltinImages images{log};
  FixedClock clock{946728000};
  FakeTimeZones zones;
  std::optional<WorldWindow> world;
};

TEST_F(World, InitialisesIconsMapSettingsPlacementThenTheRefreshTimer) {
  world.emplace(WorldWindowPorts{window, timers, tray, setup, frame, store, loader, messages,
                                 startup, images, clock, zones});
  EXPECT_EQ(Only({"LoadBuiltin"}),
            (Lines{"LoadBuiltin EarthMap", "LoadBuiltin 134", "LoadBuiltin 136", "LoadBuiltin 137",
                   "LoadBuiltin 138", "LoadBuiltin 140", "LoadBuiltin 141", "LoadBuiltin 139",
                   "LoadBuiltin 143"}));
  log.clear();
  world->OnInitDialog();
  EXPECT_EQ(Only({"SetWindowIcons", "ReadSettingString options", "LoadBuiltin",
                  "ReadSettingInt anchor/x", "ReadSettingInt colors", "SetWindowPos", "AddTrayIcon",
                  "SetWindowPlacement", "SetTimer"}),
            (Lines{"SetWindowIcons", "ReadSettingString options/image \"Default\" -> \"Default\"",
                   "LoadBuiltin EarthMap", "ReadSettingInt anchor/x 0 -> 0",
                   "SetWindowPos HWND_NOTOPMOST", "AddTrayIcon Lumivane",
                   "ReadSettingInt colors/nightfilter 50 -> 50", "SetWindowPlacement 0,0,400,200",
                   "SetTimer 1 300000"}));
  EXPECT_TRUE(world->trayIconAdded());
  EXPECT_EQ(world->settings().displayWidth, 400);
}

TEST_F(World, EnterDoesNothingAndEscSavesThenRemovesTheIconThenEnds) {
  Start();
  world->OnOK();
  EXPECT_TRUE(log.empty());

  window.window = WindowRect{120, 40, 520, 240};
  world->OnCancel();
  EXPECT_EQ(Only({"Write", "RemoveTrayIcon", "EndDialog"}),
            (Lines{"WriteSettingInt anchor/x 0", "WriteSettingInt anchor/y 0",
                   "WriteSettingInt position/x 120", "WriteSettingInt position/y 40",
                   "WriteSettingInt options/start 0", "RemoveTrayIcon", "EndDialog 2"}));
}

TEST_F(World, TheRefreshTimerRepaintsAndTheFirstPaintIsAFullFrame) {
  Start();
  world->OnTimer(TimerId::Refresh);
  EXPECT_EQ(Only({"RedrawNow", "ShowFrame"}),
            (Lines{"RedrawNow", "ShowFrame 400x200", "ShowFrame 400x200"}));
  log.clear();
  clock.now += 299;
  world->OnTimer(TimerId::Refresh);
  EXPECT_EQ(Only({"RedrawNow", "ShowFrame"}), (Lines{"RedrawNow", "ShowFrame 400x200"}));
}

TEST_F(World, AClockChangeRecomputesAtOnceAndStartsTheRefreshPeriodOver) {
  // Steps the paint rule alone would not notice, forward and back.
  for (const UnixTime step : {10, -10}) {
    Start();
    world->OnPaint();
    log.clear();
    clock.now += step;
    world->OnClockChanged();
    EXPECT_EQ(Only({"SetTimer", "RedrawNow", "ShowFrame"}),
              (Lines{"SetTimer 1 300000", "RedrawNow", "ShowFrame 400x200", "ShowFrame 400x200"}))
        << step;
    EXPECT_EQ(world->composer().lastComputeTime(), clock.now) << step;
  }
}

TEST_F(World, OnAScaledScreenFramesAreComposedInDevicePixelsAndPlacementStays) {
  frame.devicePixelRatio = 2.0;
  Start();
  world->OnPaint();
  EXPECT_EQ(Only({"ShowFrame"}), (Lines{"ShowFrame 800x400", "ShowFrame 800x400"}));
  // The window keeps its size and place in the desktop's own pixels.
  EXPECT_EQ(window.window, (WindowRect{0, 0, 400, 200}));
  log.clear();
  frame.devicePixelRatio = 1.5;  // moved to another screen: a new frame at once
  world->OnPaint();
  EXPECT_EQ(Only({"ShowFrame"}), (Lines{"ShowFrame 600x300", "ShowFrame 600x300"}));
}

TEST_F(World, WhereWindowsAreInDevicePixelsTheWindowGrowsWithItsFrame) {
  window.windowSizeScale = 2.0;
  frame.devicePixelRatio = 2.0;
  Start();
  world->OnPaint();
  EXPECT_EQ(window.window, (WindowRect{0, 0, 800, 400}));
  EXPECT_EQ(Only({"ShowFrame"}), (Lines{"ShowFrame 800x400", "ShowFrame 800x400"}));

  // Dragged onto a monitor at 150 %: the suggested place (its size rounded
  // another way) and the size for the new scale; the drag starts afresh.
  world->OnMouseMove(MouseKeys{.leftButton = true}, 10, 10);
  log.clear();
  window.windowSizeScale = 1.5;
  frame.devicePixelRatio = 1.5;
  world->OnScaleChanged(WindowRect{100, 50, 701, 351});
  EXPECT_EQ(Only({"SetWindowPlacement", "RedrawNow", "ShowFrame"}),
            (Lines{"SetWindowPlacement 100,50,700,350", "RedrawNow", "ShowFrame 600x300",
                   "ShowFrame 600x300"}));
  EXPECT_EQ(world->grabPoint().x, -1);
}

TEST_F(World, MinimisedWindowsAreNotPainted) {
  Start();
  frame.minimised = true;
  world->OnPaint();
  EXPECT_TRUE(Only({"ShowFrame"}).empty());
  EXPECT_TRUE(world->composer().needsRecompute());
}

TEST_F(World, ALeftClickRaisesTheWindowUnlessAlwaysOnTop) {
  Start();
  world->OnLButtonUp();
  EXPECT_EQ(Only({"SetWindowPos"}), (Lines{"SetWindowPos HWND_TOP"}));

  store.Set("position", "ontop", 1);
  Start();
  world->OnLButtonUp();
  EXPECT_TRUE(Only({"SetWindowPos"}).empty());
}

TEST_F(World, DraggingSetsTheAnchorsThatTheNextSaveStores) {
  Start();
  world->OnMouseMove(MouseKeys{.leftButton = true}, 10, 10);
  // The left edge 5 px past the desktop's.
  world->OnMouseMove(MouseKeys{.leftButton = true}, 5, 10);
  EXPECT_EQ(world->settings().anchorX, -1);
  world->OnMouseMove(MouseKeys{}, 5, 10);
  EXPECT_EQ(world->grabPoint().x, -1);
  world->OnCancel();
  EXPECT_EQ(Only({"WriteSettingInt anchor"}),
            (Lines{"WriteSettingInt anchor/x -1", "WriteSettingInt anchor/y -1"}));
}

// The text itself is the core's (places/map_tooltip); here only when it comes
// and goes, and which point it reads.
TEST_F(World, ARestingPointerGetsTheTooltipAButtonOrLeavingTakesItAway) {
  store.Set("places", "pins", "51.5,-0.12,Home");
  zones.zones["Europe/London"] = ZoneOffset{0, false, "GMT"};
  Start();
  world->OnMouseMove(MouseKeys{}, 199, 42);  // London's pixel on the 400 x 200 map
  world->OnTimer(TimerId::Tooltip);
  world->OnMouseMove(MouseKeys{}, 200, 100);
  world->OnTimer(TimerId::Tooltip);
  world->OnMouseMove(MouseKeys{.leftButton = true}, 200, 100);
  world->OnMouseLeave();
  const Lines tooltip = Only({"SetTimer 3", "KillTimer 3", "ShowTooltip", "HideTooltip"});
  ASSERT_EQ(tooltip.size(), 10u);
  EXPECT_EQ(tooltip[0], "SetTimer 3 500");
  EXPECT_EQ(tooltip[1], "KillTimer 3");
  EXPECT_TRUE(tooltip[2].starts_with("ShowTooltip Home | 2000-01-01 12:00 GMT | Day, sun "))
      << tooltip[2];
  EXPECT_EQ((Lines{tooltip.begin() + 3, tooltip.begin() + 5}),
            (Lines{"HideTooltip", "SetTimer 3 500"}));
  EXPECT_TRUE(
      tooltip[6].starts_with("ShowTooltip 0.00\u00b0 N, 0.00\u00b0 E | 2000-01-01 12:00 UTC"))
      << tooltip[6];
  EXPECT_EQ((Lines{tooltip.begin() + 7, tooltip.end()}),
            (Lines{"HideTooltip", "KillTimer 3", "KillTimer 3"}));
}

// At 06:00 UTC the sun stands near 89.2 E, column 299 of 400: the turned
// map shows Greenwich's column 200 at column 101.
TEST_F(World, TheSunCentredTooltipReadsThePointTheTurnedMapShows) {
  store.Set("options", "suncentered", 1);
  clock.now = 946706400;  // 2000-01-01 06:00 UTC
  Start();
  world->OnPaint();
  world->OnMouseMove(MouseKeys{}, 101, 100);
  world->OnTimer(TimerId::Tooltip);
  const Lines shown = Only({"ShowTooltip"});
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_TRUE(shown[0].starts_with("ShowTooltip 0.00\u00b0 N, 0.00\u00b0 E |")) << shown[0];
}

TEST_F(World, ThePinnedPlacesLocalTimesFollowTheFramesDescription) {
  store.Set("places", "pins", "51.5,-0.12,Home;-80,-150,");
  zones.zones["Europe/London"] = ZoneOffset{0, false, "GMT"};
  Start();
  world->OnPaint();
  ASSERT_FALSE(frame.descriptions.empty());
  EXPECT_TRUE(frame.descriptions.back().ends_with(
      "Pinned places: Home, 2000-01-01 12:00 GMT; 80.00\u00b0 S, 150.00\u00b0 W, 2000-01-01 "
      "12:00 UTC."))
      << frame.descriptions.back();
}

TEST_F(World, ADesktopChangeReAnchorsThenPaintsAtOnce) {
  store.Set("anchor", "x", 1);
  Start();
  world->OnPaint();
  log.clear();
  window.desktop = WindowRect{0, 0, 1024, 768};
  world->OnSettingChange();
  EXPECT_EQ(Only({"SetWindowPlacement", "ShowFrame"}),
            (Lines{"SetWindowPlacement 624,0,1024,200", "ShowFrame 400x200"}));
}

TEST_F(World, SetupEndingOkReloadsSettingsAndPlacementAndRecomputesAtOnce) {
  Start();
  world->OnPaint();
  setup.setupResult = 1;
  setup.duringSetup = [this] { store.Set("size", "scale", 60); };
  log.clear();
  world->OnRButtonUp();
  EXPECT_EQ(Only({"KillTimer", "WriteSettingInt", "RunSetupDialog", "ReadSettingString options",
                  "ReadSettingInt size/scale", "SetWindowPlacement", "ShowFrame"}),
            (Lines{"KillTimer 2", "WriteSettingInt anchor/x 0", "WriteSettingInt anchor/y 0",
                   "WriteSettingInt position/x 0", "WriteSettingInt position/y 0",
                   "WriteSettingInt options/start 0", "RunSetupDialog",
                   "ReadSettingInt size/scale 30 -> 60", "SetWindowPlacement 0,0,800,400",
                   "ShowFrame 800x400", "ShowFrame 800x400"}));
  EXPECT_FALSE(world->setupOpen());
}

TEST_F(World, SetupEndingReloadLoadsTheMapFirst) {
  Start();
  setup.setupResult = 88;
  setup.duringSetup = [this] { store.Set("options", "image", "/maps/big.bmp"); };
  loader.files["/maps/big.bmp"] = Image(1024, 512, MakePixel(1, 2, 3));
  world->OnRButtonUp();
  EXPECT_EQ(Only({"RunSetupDialog", "LoadImageFile", "ReadSettingInt anchor/x", "ShowFrame"}),
            (Lines{"RunSetupDialog", "LoadImageFile \"/maps/big.bmp\" -> 1024x512",
                   "ReadSettingInt anchor/x 0 -> 0", "ShowFrame 1024x512", "ShowFrame 1024x512"}));
  EXPECT_EQ(world->earthMap().nativeWidth, 1024);
}

TEST_F(World, SetupEndingCancelOrFailingReloadsNothing) {
  for (int result : {2, -1}) {
    Start();
    setup.setupResult = result;
    world->OnRButtonUp();
    EXPECT_EQ(log.back(), "RunSetupDialog") << result;
    EXPECT_TRUE(Only({"EndDialog"}).empty()) << result;
  }
}

TEST_F(World, SetupEndingExitEndsLikeEscAfterSavingAgain) {
  Start();
  setup.setupResult = 77;
  world->OnRButtonUp();
  EXPECT_EQ(Only({"WriteSettingInt position/x", "RunSetupDialog", "RemoveTrayIcon", "EndDialog"}),
            (Lines{"WriteSettingInt position/x 0", "RunSetupDialog", "WriteSettingInt position/x 0",
                   "RemoveTrayIcon", "EndDialog 2"}));
  EXPECT_TRUE(Only({"ReadSettingInt anchor"}).empty());
}

TEST_F(World, OnlyOneSetupDialogOpensAndTrayEventsWaitForIt) {
  Start();
  setup.duringSetup = [this] {
    world->OnRButtonUp();
    world->OnTrayNotify(kRightUp);
    world->OnTrayNotify(kHover);
    world->OnTrayNotify(kLeftUp);
    EXPECT_TRUE(world->setupOpen());
  };
  world->OnRButtonUp();
  EXPECT_EQ(Only({"RunSetupDialog", "SetWindowPos", "SetTimer"}), (Lines{"RunSetupDialog"}));
  EXPECT_FALSE(world->keepRaised());
}

TEST_F(World, AHoverPeeksAndThePeekTimerSendsTheWindowToTheBottom) {
  Start();
  world->OnTrayNotify(kHover);
  EXPECT_EQ(Only({"SetWindowPos", "ShowFrame", "KillTimer", "SetTimer"}),
            (Lines{"SetWindowPos HWND_TOPMOST", "SetWindowPos HWND_NOTOPMOST", "ShowFrame 400x200",
                   "ShowFrame 400x200", "KillTimer 2", "SetTimer 2 3000"}));
  log.clear();
  world->OnTimer(TimerId::Peek);
  EXPECT_EQ(log, (Lines{"KillTimer 2", "SetWindowPos HWND_BOTTOM"}));
}

TEST_F(World, ATrayClickKeepsTheWindowRaisedThroughTheNextPeekOnly) {
  Start();
  world->OnTrayNotify(kLeftUp);
  EXPECT_EQ(log,
            (Lines{"KillTimer 2", "SetWindowPos HWND_TOPMOST", "SetWindowPos HWND_NOTOPMOST"}));
  EXPECT_TRUE(world->keepRaised());

  world->OnTrayNotify(kHover);
  log.clear();
  world->OnTimer(TimerId::Peek);
  EXPECT_EQ(log, (Lines{"KillTimer 2"}));
  EXPECT_FALSE(world->keepRaised());

  world->OnTrayNotify(kHover);
  log.clear();
  world->OnTimer(TimerId::Peek);
  EXPECT_EQ(log, (Lines{"KillTimer 2", "SetWindowPos HWND_BOTTOM"}));
}

TEST_F(World, AlwaysOnTopIgnoresHoversAndPeeksAndClicksStayTopmost) {
  store.Set("position", "ontop", 1);
  Start();
  world->OnTrayNotify(kHover);
  EXPECT_TRUE(log.empty());
  world->OnTrayNotify(kLeftUp);
  EXPECT_EQ(log, (Lines{"KillTimer 2", "SetWindowPos HWND_TOPMOST"}));
  log.clear();
  world->OnTimer(TimerId::Peek);  // keepRaised from the click
  world->OnTimer(TimerId::Peek);
  EXPECT_EQ(Only({"SetWindowPos"}), Lines{});
}

TEST_F(World, ATrayRightClickRaisesThenOpensSetupAndOkCanHideTheIcon) {
  Start();
  setup.setupResult = 1;
  setup.duringSetup = [this] { store.Set("options", "tray", 0); };
  world->OnTrayNotify(kRightUp);
  EXPECT_EQ(Only({"SetWindowPos", "RunSetupDialog", "RemoveTrayIcon"}),
            (Lines{"SetWindowPos HWND_TOPMOST", "SetWindowPos HWND_NOTOPMOST", "RunSetupDialog",
                   "SetWindowPos HWND_NOTOPMOST", "RemoveTrayIcon"}));
  EXPECT_FALSE(world->trayIconAdded());
  EXPECT_TRUE(world->keepRaised());
}

TEST_F(World, AMapWhoseFrameRunsOutOfMemoryGivesWayToTheBuiltInMap) {
  store.Set("options", "image", "/maps/big.bmp");
  loader.files["/maps/big.bmp"] = Image(1024, 512, MakePixel(0, 0, 255));
  Start();
  frame.framesThatFail = 1;
  world->OnPaint();
  ASSERT_FALSE(frame.shown.empty());
  // The built-in map, at the size the window already has.
  EXPECT_EQ(frame.shown.back().width(), 1024);
  EXPECT_EQ(world->earthMap().image.width(), 400);
  EXPECT_EQ(store.StringValue("options", "image"), "/maps/big.bmp");
}

TEST_F(World, AnUnloadableStoredMapIsReportedOnceAndTheBuiltInMapUsed) {
  store.Set("options", "image", "/gone/earth.bmp");
  Start();
  EXPECT_EQ(world->earthMap().nativeWidth, 400);
  EXPECT_EQ(store.StringValue("options", "image"), "Default");
  EXPECT_EQ(world->settings().displayWidth, 400);
}

}  // namespace
}  // namespace lumivane
