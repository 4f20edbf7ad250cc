// The setup dialog under the real window system.
#include "platform/win32/win32_setup_dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "fakes/fake_profile_store.h"
#include "fakes/fake_settings_ports.h"
#include "setup/setup_controls.h"

namespace lumivane::win32 {
namespace {

BOOL CALLBACK TakeVisibleWindow(HWND window, LPARAM found) {
  if (!IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

// What a label's text needs and what its control has, in pixels.
struct LabelFit {
  std::string text;
  SIZE needed;
  SIZE has;
};

LabelFit Measure(HWND label) {
  wchar_t text[128] = {};
  const int length = GetWindowTextW(label, text, 128);
  HDC dc = GetDC(label);
  const HGDIOBJ previous =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
  RECT needed{};
  DrawTextW(dc, text, length, &needed, DT_CALCRECT | DT_EXPANDTABS);
  SelectObject(dc, previous);
  ReleaseDC(label, dc);
  RECT client{};
  GetClientRect(label, &client);
  char narrow[128] = {};
  GetWindowTextA(label, narrow, sizeof narrow);
  return {narrow, {needed.right, needed.bottom}, {client.right, client.bottom}};
}

// Fonts differ from the ones the template was laid out with: every short
// label still shows all of its text.
TEST(Win32SetupDialog, ShortLabelsShowTheirWholeText) {
  FakeProfileStore store;
  FakeStartupRegistration startup;
  Win32SetupDialog dialog(store, startup, "Lumivane test");
  std::vector<LabelFit> labels;
  const DWORD dialogThread = GetCurrentThreadId();
  std::thread driver([&] {
    HWND window = nullptr;
    for (int waited = 0; window == nullptr && waited < 200; ++waited) {
      Sleep(50);
      EnumThreadWindows(dialogThread, &TakeVisibleWindow, reinterpret_cast<LPARAM>(&window));
    }
    if (window == nullptr) {
      PostThreadMessageA(dialogThread, WM_QUIT, 0, 0);
      return;
    }
    HWND child = GetWindow(window, GW_CHILD);
    for (const SetupControl& control : kSetupControls) {
      if (control.kind == SetupControlKind::Label ||
          control.kind == SetupControlKind::CentredLabel) {
        labels.push_back(Measure(child));
      }
      child = GetWindow(child, GW_HWNDNEXT);
    }
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  });
  dialog.Run(GetModuleHandleA(nullptr), nullptr);
  driver.join();

  ASSERT_EQ(labels.size(), 6u);
  for (const LabelFit& label : labels) {
    EXPECT_LE(label.needed.cx, label.has.cx) << label.text;
    EXPECT_LE(label.needed.cy, label.has.cy) << label.text;
  }
}

}  // namespace
}  // namespace lumivane::win32
