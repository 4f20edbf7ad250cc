#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "app/ports.h"
#include "app/world_window.h"
#include "platform/win32/accessible_description.h"
#include "platform/win32/dialog.h"
#include "platform/win32/shell_records.h"
#include "places/tzif_time_zones.h"
#include "render/ports.h"
#include "settings/ports.h"

namespace lumivane::win32 {

// What the world window needs besides the window itself.
struct WorldWindowServices {
  HINSTANCE instance;
  HICON icon;
  std::string applicationName;  // caption of every message box
  ProfileStore& store;
  MapImageLoader& mapLoader;
  StartupRegistration& startup;
  BuiltinImageSource& images;
  Clock& clock;
};

// The world window (template IDD_WORLD_WINDOW): a borderless tool window that turns its
// messages into WorldWindow calls and carries out what WorldWindow asks of
// the window system.
class Win32WorldWindow final : public Dialog<Win32WorldWindow>,
                               private Window,
                               private Timers,
                               private NotificationArea,
                               private SetupDialog,
                               private FrameWindow,
                               private MessageSink {
 public:
  // Loads the built-in pictures.
  explicit Win32WorldWindow(const WorldWindowServices& services);

  // Runs the window until it ends.
  INT_PTR Run();

 private:
  friend class Dialog<Win32WorldWindow>;

  INT_PTR OnInitDialog(WPARAM, LPARAM);
  INT_PTR OnPaintMessage(WPARAM, LPARAM);
  INT_PTR OnQueryDragIcon(WPARAM, LPARAM);
  INT_PTR OnMouseMove(WPARAM wParam, LPARAM lParam);
  INT_PTR OnTimer(WPARAM wParam, LPARAM);
  INT_PTR OnSettingChange(WPARAM, LPARAM);
  INT_PTR OnTimeChange(WPARAM, LPARAM);
  INT_PTR OnPowerBroadcast(WPARAM wParam, LPARAM);
  INT_PTR OnRButtonUp(WPARAM, LPARAM);
  INT_PTR OnTrayNotify(WPARAM, LPARAM lParam);
  INT_PTR OnLButtonUp(WPARAM, LPARAM);
  INT_PTR OnCommand(WPARAM wParam, LPARAM);
  INT_PTR OnContextMenu(WPARAM, LPARAM lParam);
  INT_PTR OnDpiChanged(WPARAM wParam, LPARAM lParam);
  INT_PTR OnButtonDown(WPARAM, LPARAM);
  INT_PTR OnMouseLeave(WPARAM, LPARAM);

  static constexpr std::array<MessageEntry<Win32WorldWindow>, 19> kMessageTable{{
      {WM_INITDIALOG, &Win32WorldWindow::OnInitDialog},
      {WM_PAINT, &Win32WorldWindow::OnPaintMessage},
      {WM_QUERYDRAGICON, &Win32WorldWindow::OnQueryDragIcon},
      {WM_MOUSEMOVE, &Win32WorldWindow::OnMouseMove},
      {WM_TIMER, &Win32WorldWindow::OnTimer},
      {WM_SETTINGCHANGE, &Win32WorldWindow::OnSettingChange},
      // Monitors added, removed or resized: the same re-anchoring.
      {WM_DISPLAYCHANGE, &Win32WorldWindow::OnSettingChange},
      {WM_TIMECHANGE, &Win32WorldWindow::OnTimeChange},
      {WM_POWERBROADCAST, &Win32WorldWindow::OnPowerBroadcast},
      {WM_RBUTTONUP, &Win32WorldWindow::OnRButtonUp},
      {TrayCallbackMessage, &Win32WorldWindow::OnTrayNotify},
      {WM_LBUTTONUP, &Win32WorldWindow::OnLButtonUp},
      {WM_COMMAND, &Win32WorldWindow::OnCommand},
      {WM_CONTEXTMENU, &Win32WorldWindow::OnContextMenu},
      {WM_DPICHANGED, &Win32WorldWindow::OnDpiChanged},
      {WM_LBUTTONDOWN, &Win32WorldWindow::OnButtonDown},
      {WM_RBUTTONDOWN, &Win32WorldWindow::OnButtonDown},
      {WM_MBUTTONDOWN, &Win32WorldWindow::OnButtonDown},
      {WM_MOUSELEAVE, &Win32WorldWindow::OnMouseLeave},
  }};

  // Window, Timers, NotificationArea, SetupDialog
  void SetWindowIcons() override;
  std::vector<WindowRect> MonitorRects() override;
  WindowRect GetWindowPlacement() override;
  void SetWindowPlacement(const WindowRect& normalPosition) override;
  double WindowSizeScale() const override;
  void SetZOrder(ZOrder order) override;
  void StartTimer(TimerId id, std::int32_t periodMs) override;
  void StopTimer(TimerId id) override;
  void RedrawNow() override;
  int AddTrayIcon(const std::string& tip) override;
  int RemoveTrayIcon() override;
  int RunSetupDialog() override;
  void EndWorldWindow(int result) override;
  void ShowTooltip(const std::string& text) override;
  void HideTooltip() override;

  // FrameWindow
  bool IsMinimised() const override;
  double DevicePixelRatio() const override;
  void ShowFrame(const Image& frame) override;
  void DescribeFrame(const std::string& description) override;

  // MessageSink: boxes owned by the world window.
  void ShowMessage(const std::string& text) override;

  WorldWindowServices services_;
  // The paint context while WM_PAINT is handled; direct paints (tray hover,
  // setting change) draw on the window's own context instead.
  HDC paintDc_ = nullptr;
  // The DPI of the window's monitor: window rectangles are in its pixels,
  // and the window is sized and its frames composed for it.
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  AccessibleDescription description_;
  // A tracking tooltip, made on first use, child of the window; and whether
  // the window has asked for WM_MOUSELEAVE since the pointer came in.
  HWND tooltip_ = nullptr;
  bool leaveTracked_ = false;
  TzifTimeZones zones_;
  WorldWindow core_;
};

}  // namespace lumivane::win32
