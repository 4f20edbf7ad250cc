// The world window under the real window system, its clock driven by the
// test: a frame recomputed in a paint that was asked for only part of the
// window must still reach all of it, and a clock change or a wake-up must
// bring a new frame at once.
#include "platform/win32/win32_world_window.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <array>

#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "fakes/fake_profile_store.h"
#include "fakes/fake_settings_ports.h"
#include "fakes/fixed_clock.h"
#include "platform/win32/win32_images.h"

namespace lumivane::win32 {
namespace {

constexpr UnixTime kSunOver90East = 21600;  // 1970-01-01 06:00 UTC
constexpr UnixTime kHalfDay = 12 * 3600;

BOOL CALLBACK TakeVisibleWindow(HWND window, LPARAM found) {
  if (!IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

HWND FindThreadWindow(DWORD thread) {
  HWND found = nullptr;
  EnumThreadWindows(thread, &TakeVisibleWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

// A grid of points over the right half of the client area.
std::vector<COLORREF> SampleRightHalf(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  std::vector<COLORREF> colours;
  HDC dc = GetDC(window);
  for (int y = client.bottom / 8; y < client.bottom; y += client.bottom / 4) {
    for (int x = client.right * 9 / 16; x < client.right; x += client.right / 8) {
      colours.push_back(GetPixel(dc, x, y));
    }
  }
  ReleaseDC(window, dc);
  return colours;
}

// The number of samples that differ.
int Changed(const std::vector<COLORREF>& before, const std::vector<COLORREF>& after) {
  int changed = 0;
  for (std::size_t i = 0; i < before.size() && i < after.size(); ++i) {
    changed += before[i] != after[i];
  }
  return changed;
}

class Win32WorldWindowTest : public ::testing::Test {
 protected:
  // Runs the world window on this thread while `drive` works on it from
  // another; the window ends when `drive` returns.
  void RunDriven(const std::function<void(HWND)>& drive) {
    store.Set("options", "tray", 0);
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    Win32BuiltinImages images(instance);
    Win32WorldWindow world(WorldWindowServices{instance, LoadAppIcon(instance), "Lumivane test",
                                               store, loader, startup, images, clock});
    const DWORD windowThread = GetCurrentThreadId();
    std::thread driver([&] {
      HWND window = nullptr;
      for (int waited = 0; window == nullptr && waited < 200; ++waited) {
        Sleep(50);
        window = FindThreadWindow(windowThread);
      }
      if (window == nullptr) {
        PostThreadMessageA(windowThread, WM_QUIT, 0, 0);
        return;
      }
      drive(window);
      PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    world.Run();
    driver.join();
  }

  static void PaintAndWait(HWND window, const RECT* region) {
    InvalidateRect(window, region, FALSE);
    Sleep(500);  // the window's own thread paints
  }

  std::vector<std::string> log;
  FakeProfileStore store{log};
  FakeMapImageLoader loader{log};
  FakeStartupRegistration startup{log};
  FixedClock clock{kSunOver90East};
};

TEST_F(Win32WorldWindowTest, AFrameRecomputedInAPartialPaintReachesTheWholeWindow) {
  std::vector<COLORREF> before;
  std::vector<COLORREF> afterPartialPaint;
  std::vector<COLORREF> afterWholePaint;
  RunDriven([&](HWND window) {
    PaintAndWait(window, nullptr);
    before = SampleRightHalf(window);
    // Half a day on, the refresh is due and day and night have changed places.
    clock.now += kHalfDay;
    RECT client{};
    GetClientRect(window, &client);
    const RECT leftHalf{0, 0, client.right / 2, client.bottom};
    PaintAndWait(window, &leftHalf);
    afterPartialPaint = SampleRightHalf(window);
    PaintAndWait(window, nullptr);
    afterWholePaint = SampleRightHalf(window);
  });

  ASSERT_EQ(afterWholePaint.size(), 16u);
  EXPECT_GE(Changed(before, afterWholePaint), 8) << "the new frame hardly differs from the old one";
  EXPECT_EQ(afterPartialPaint, afterWholePaint);
}

TEST_F(Win32WorldWindowTest, AClockChangeOrAWakeUpRecomputesThePictureAtOnce) {
  const struct {
    UINT message;
    WPARAM wParam;
    bool recomputes;
  } rows[] = {{WM_TIMECHANGE, 0, true},
              {WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, true},
              {WM_POWERBROADCAST, PBT_APMSUSPEND, false}};
  std::vector<int> changed;
  RunDriven([&](HWND window) {
    PaintAndWait(window, nullptr);
    for (const auto& row : rows) {
      const std::vector<COLORREF> before = SampleRightHalf(window);
      clock.now += kHalfDay;
      // Sent, as the system does: handled, painting included, on return.
      SendMessageA(window, row.message, row.wParam, 0);
      changed.push_back(Changed(before, SampleRightHalf(window)));
    }
  });

  ASSERT_EQ(changed.size(), std::size(rows));
  for (std::size_t i = 0; i < changed.size(); ++i) {
    if (rows[i].recomputes) {
      EXPECT_GE(changed[i], 8) << "message " << rows[i].message;
    } else {
      EXPECT_EQ(changed[i], 0) << "message " << rows[i].message;
    }
  }
}

// Keeps the first visible tooltip window; a named callback, as 32-bit
// Windows calls it with its own convention.
BOOL CALLBACK KeepVisibleTooltip(HWND each, LPARAM into) {
  char name[32] = {};
  GetClassNameA(each, name, sizeof name);
  if (lstrcmpiA(name, TOOLTIPS_CLASSA) != 0 || !IsWindowVisible(each)) return TRUE;
  *reinterpret_cast<HWND*>(into) = each;
  return FALSE;
}

// The tooltip of the window's thread, if it shows.
HWND VisibleTooltip(HWND window) {
  HWND found = nullptr;
  EnumThreadWindows(GetWindowThreadProcessId(window, nullptr), KeepVisibleTooltip,
                    reinterpret_cast<LPARAM>(&found));
  return found;
}

// A resting pointer becomes the core's tooltip in a tracking tooltip; a
// press takes it away. The text itself is the core's.
TEST_F(Win32WorldWindowTest, ARestingPointerShowsTheTooltipAndAPressHidesIt) {
  std::wstring text;
  bool hiddenByPress = false;
  RunDriven([&](HWND window) {
    POINT middle{200, 100};  // 0 N, 0 E on the 400 x 200 map
    ClientToScreen(window, &middle);
    SetCursorPos(middle.x, middle.y);
    PostMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(200, 100));
    HWND tooltip = nullptr;
    for (int waited = 0; tooltip == nullptr && waited < 40; ++waited) {
      Sleep(50);
      tooltip = VisibleTooltip(window);
    }
    if (tooltip == nullptr) return;
    std::array<wchar_t, 512> buffer{};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(window);
    tool.lpszText = buffer.data();
    SendMessageW(tooltip, TTM_GETTEXTW, buffer.size(), reinterpret_cast<LPARAM>(&tool));
    text = buffer.data();
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 100));
    hiddenByPress = !IsWindowVisible(tooltip);
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(200, 100));
  });
  EXPECT_EQ(text.substr(0, 17), L"0.00\u00b0 N, 0.00\u00b0 E\n");
  EXPECT_TRUE(hiddenByPress);
}

// A move to a monitor of another DPI: the window takes the place the system
// suggests and the size its map has at that DPI (here 200 %: twice 400 x 200),
// whatever size the suggestion had.
TEST_F(Win32WorldWindowTest, ADpiChangeTakesTheSuggestedPlaceAndTheSizeForTheNewDpi) {
  RECT before{};
  RECT after{};
  RunDriven([&](HWND window) {
    GetWindowRect(window, &before);
    RECT suggested{100, 50, 903, 449};
    SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    GetWindowRect(window, &after);
  });

  EXPECT_EQ(before.right - before.left, 400);
  EXPECT_EQ(after.left, 100);
  EXPECT_EQ(after.top, 50);
  EXPECT_EQ(after.right - after.left, 800);
  EXPECT_EQ(after.bottom - after.top, 400);
}

}  // namespace
}  // namespace lumivane::win32
