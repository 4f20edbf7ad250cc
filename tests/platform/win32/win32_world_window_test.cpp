// The world window under the real window system, its clock driven by the
// test: a frame recomputed in a paint that was asked for only part of the
// window must still reach all of it.
#include "platform/win32/win32_world_window.h"

#include <gtest/gtest.h>

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

TEST(Win32WorldWindow, AFrameRecomputedInAPartialPaintReachesTheWholeWindow) {
  std::vector<std::string> log;
  FakeProfileStore store{log};
  store.Set("options", "tray", 0);
  FakeMapImageLoader loader{log};
  FakeStartupRegistration startup{log};
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  Win32BuiltinImages images(instance);
  FixedClock clock(kSunOver90East);
  Win32WorldWindow world(WorldWindowServices{instance, LoadAppIcon(instance), "Lumivane test",
                                             store, loader, startup, images, clock});

  std::vector<COLORREF> before;
  std::vector<COLORREF> afterPartialPaint;
  std::vector<COLORREF> afterWholePaint;
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
    const auto paintAndWait = [window](const RECT* region) {
      InvalidateRect(window, region, FALSE);
      Sleep(500);  // the window's own thread paints
    };
    paintAndWait(nullptr);
    before = SampleRightHalf(window);
    // Half a day on, the refresh is due and day and night have changed places.
    clock.now += kHalfDay;
    RECT client{};
    GetClientRect(window, &client);
    const RECT leftHalf{0, 0, client.right / 2, client.bottom};
    paintAndWait(&leftHalf);
    afterPartialPaint = SampleRightHalf(window);
    paintAndWait(nullptr);
    afterWholePaint = SampleRightHalf(window);
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  });
  world.Run();
  driver.join();

  ASSERT_EQ(afterWholePaint.size(), 16u);
  int changed = 0;
  for (std::size_t i = 0; i < before.size(); ++i) changed += before[i] != afterWholePaint[i];
  EXPECT_GE(changed, 8) << "the new frame hardly differs from the old one";
  EXPECT_EQ(afterPartialPaint, afterWholePaint);
}

}  // namespace
}  // namespace lumivane::win32
