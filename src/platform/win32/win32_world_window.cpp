#include "platform/win32/win32_world_window.h"

#include <windowsx.h>
#include <commctrl.h>

#include "places/embedded_files.h"
#include "platform/win32/gdi_image.h"
#include "platform/win32/utf16_text.h"
#include "platform/win32/win32_events.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_setup_dialog.h"
#include "platform/win32/window_dpi.h"
#include "resource.h"

namespace lumivane::win32 {

namespace {

WindowRect FromRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// Each monitor's whole area (the primary's is what the desktop window
// covers), the primary first.
BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoA(monitor, &info)) return TRUE;
  auto& monitors = *reinterpret_cast<std::vector<WindowRect>*>(list);
  const WindowRect rect = FromRect(info.rcMonitor);
  if ((info.dwFlags & MONITORINFOF_PRIMARY) != 0) {
    monitors.insert(monitors.begin(), rect);
  } else {
    monitors.push_back(rect);
  }
  return TRUE;
}

WINDOWPLACEMENT ReadPlacement(HWND window) {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  ::GetWindowPlacement(window, &placement);
  return placement;
}

}  // namespace

Win32WorldWindow::Win32WorldWindow(const WorldWindowServices& services)
    : services_(services),
      zones_(BuiltinZoneFiles()),
      core_(WorldWindowPorts{*this, *this, *this, *this, *this, services_.store,
                             services_.mapLoader, *this, services_.startup, services_.images,
                             services_.clock, zones_}) {}

INT_PTR Win32WorldWindow::Run() { return RunModal(services_.instance, IDD_WORLD_WINDOW, nullptr); }

INT_PTR Win32WorldWindow::OnInitDialog(WPARAM, LPARAM) {
  // The window has no caption to show it: the text is its name for screen
  // readers.
  SetWindowTextW(window(), Utf16FromUtf8(services_.applicationName).c_str());
  dpi_ = WindowDpi(window());
  core_.OnInitDialog();
  return TRUE;
}

INT_PTR Win32WorldWindow::OnPaintMessage(WPARAM, LPARAM) {
  // A paint may recompute the frame, and a new frame must reach the whole
  // window, not only the part just uncovered: BeginPaint clips to the update
  // region, so widen it first. Showing the cached frame again costs one copy.
  InvalidateRect(window(), nullptr, FALSE);
  PAINTSTRUCT paint{};
  paintDc_ = BeginPaint(window(), &paint);
  core_.OnPaint();
  EndPaint(window(), &paint);
  paintDc_ = nullptr;
  return TRUE;
}

INT_PTR Win32WorldWindow::OnQueryDragIcon(WPARAM, LPARAM) {
  // One of the messages whose result the dialog procedure returns directly.
  return reinterpret_cast<INT_PTR>(services_.icon);
}

INT_PTR Win32WorldWindow::OnMouseMove(WPARAM wParam, LPARAM lParam) {
  // Signed: the pointer may be left of or above the window during a drag.
  core_.OnMouseMove(MouseKeysOf(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
  // WM_MOUSELEAVE comes once per request: asked again after each one.
  if (!leaveTracked_) {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window(), 0};
    leaveTracked_ = TrackMouseEvent(&track) != FALSE;
  }
  return FALSE;
}

INT_PTR Win32WorldWindow::OnButtonDown(WPARAM, LPARAM) {
  core_.OnButtonDown();
  return FALSE;
}

INT_PTR Win32WorldWindow::OnMouseLeave(WPARAM, LPARAM) {
  leaveTracked_ = false;
  core_.OnMouseLeave();
  return FALSE;
}

INT_PTR Win32WorldWindow::OnTimer(WPARAM wParam, LPARAM) {
  if (wParam == static_cast<WPARAM>(TimerId::Refresh)) core_.OnTimer(TimerId::Refresh);
  if (wParam == static_cast<WPARAM>(TimerId::Peek)) core_.OnTimer(TimerId::Peek);
  if (wParam == static_cast<WPARAM>(TimerId::Tooltip)) core_.OnTimer(TimerId::Tooltip);
  return FALSE;
}

INT_PTR Win32WorldWindow::OnSettingChange(WPARAM, LPARAM) {
  core_.OnSettingChange();
  return FALSE;
}

INT_PTR Win32WorldWindow::OnTimeChange(WPARAM, LPARAM) {
  core_.OnClockChanged();
  return FALSE;
}

INT_PTR Win32WorldWindow::OnPowerBroadcast(WPARAM wParam, LPARAM) {
  // Sent on every wake-up, whether or not a user is there to see it.
  if (wParam == PBT_APMRESUMEAUTOMATIC) core_.OnClockChanged();
  return FALSE;
}

INT_PTR Win32WorldWindow::OnRButtonUp(WPARAM, LPARAM) {
  core_.OnRButtonUp();
  return TRUE;
}

INT_PTR Win32WorldWindow::OnTrayNotify(WPARAM, LPARAM lParam) {
  // The first form of the icon record: lParam is the mouse message itself.
  if (const std::optional<TrayEvent> event = TrayEventOf(LOWORD(lParam))) {
    core_.OnTrayNotify(*event);
  }
  return Result(0);
}

INT_PTR Win32WorldWindow::OnLButtonUp(WPARAM, LPARAM) {
  core_.OnLButtonUp();
  return FALSE;
}

INT_PTR Win32WorldWindow::OnCommand(WPARAM wParam, LPARAM) {
  switch (LOWORD(wParam)) {
    case IDOK:  // Enter
      core_.OnOK();
      return TRUE;
    case IDCANCEL:  // Esc, and WM_CLOSE through the default dialog handling
      core_.OnCancel();
      return TRUE;
    default: return FALSE;
  }
}

INT_PTR Win32WorldWindow::OnContextMenu(WPARAM, LPARAM lParam) {
  // From the keyboard (the menu key, Shift+F10) the point is -1, -1: the
  // setup opens as on a right click. A right click itself is its button's
  // release.
  if (lParam != -1) return FALSE;
  core_.OnRButtonUp();
  return TRUE;
}

INT_PTR Win32WorldWindow::OnDpiChanged(WPARAM wParam, LPARAM lParam) {
  // Handled here, so the dialog manager does not rescale the window itself.
  dpi_ = LOWORD(wParam);
  core_.OnScaleChanged(FromRect(*reinterpret_cast<const RECT*>(lParam)));
  return TRUE;
}

void Win32WorldWindow::SetWindowIcons() {
  SendMessageA(window(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(services_.icon));
  SendMessageA(window(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(services_.icon));
}

std::vector<WindowRect> Win32WorldWindow::MonitorRects() {
  std::vector<WindowRect> monitors;
  EnumDisplayMonitors(nullptr, nullptr, &CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

WindowRect Win32WorldWindow::GetWindowPlacement() {
  // A tool window's normal position is in screen coordinates.
  return FromRect(ReadPlacement(window()).rcNormalPosition);
}

void Win32WorldWindow::SetWindowPlacement(const WindowRect& normalPosition) {
  WINDOWPLACEMENT placement = ReadPlacement(window());
  placement.rcNormalPosition = {normalPosition.left, normalPosition.top, normalPosition.right,
                                normalPosition.bottom};
  ::SetWindowPlacement(window(), &placement);
}

double Win32WorldWindow::WindowSizeScale() const { return ScaleOfDpi(dpi_); }

void Win32WorldWindow::SetZOrder(ZOrder order) {
  HWND insertAfter = HWND_TOP;
  switch (order) {
    case ZOrder::Top: insertAfter = HWND_TOP; break;
    case ZOrder::Bottom: insertAfter = HWND_BOTTOM; break;
    case ZOrder::Topmost: insertAfter = HWND_TOPMOST; break;
    case ZOrder::NotTopmost: insertAfter = HWND_NOTOPMOST; break;
  }
  SetWindowPos(window(), insertAfter, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
}

void Win32WorldWindow::StartTimer(TimerId id, std::int32_t periodMs) {
  SetTimer(window(), static_cast<UINT_PTR>(id), static_cast<UINT>(periodMs), nullptr);
}

void Win32WorldWindow::StopTimer(TimerId id) { KillTimer(window(), static_cast<UINT_PTR>(id)); }

void Win32WorldWindow::RedrawNow() {
  InvalidateRect(window(), nullptr, FALSE);
  RedrawWindow(window(), nullptr, nullptr, RDW_UPDATENOW);
}

int Win32WorldWindow::AddTrayIcon(const std::string& tip) {
  NOTIFYICONDATAA record = TrayIconRecord(window(), services_.icon, tip);
  return Shell_NotifyIconA(NIM_ADD, &record);
}

int Win32WorldWindow::RemoveTrayIcon() {
  NOTIFYICONDATAA record = TrayIconRecord(window(), nullptr, "");
  record.uFlags = 0;
  return Shell_NotifyIconA(NIM_DELETE, &record);
}

int Win32WorldWindow::RunSetupDialog() {
  Win32SetupDialog setup(services_.store, services_.startup, services_.applicationName);
  return setup.Run(services_.instance, window());
}

void Win32WorldWindow::EndWorldWindow(int result) { ::EndDialog(window(), result); }

void Win32WorldWindow::ShowTooltip(const std::string& text) {
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_TRACK | TTF_ABSOLUTE;
  tool.hwnd = window();
  tool.uId = reinterpret_cast<UINT_PTR>(window());
  if (tooltip_ == nullptr) {
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                               WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window(), nullptr,
                               services_.instance, nullptr);
    if (tooltip_ == nullptr) return;
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    // A width limit makes the tooltip break its text at the '\n's.
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, 600);
  }
  std::wstring wide = Utf16FromUtf8(text);
  tool.lpszText = wide.data();
  SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  POINT pointer{};
  GetCursorPos(&pointer);
  // Below and right of the pointer's hot spot, clear of the arrow.
  constexpr int kBelowPointer = 20;
  SendMessageW(tooltip_, TTM_TRACKPOSITION, 0,
               MAKELPARAM(pointer.x + kBelowPointer / 2, pointer.y + kBelowPointer));
  SendMessageW(tooltip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
}

void Win32WorldWindow::HideTooltip() {
  if (tooltip_ == nullptr) return;
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = window();
  tool.uId = reinterpret_cast<UINT_PTR>(window());
  SendMessageW(tooltip_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
}

bool Win32WorldWindow::IsMinimised() const { return IsIconic(window()) != FALSE; }

double Win32WorldWindow::DevicePixelRatio() const { return ScaleOfDpi(dpi_); }

void Win32WorldWindow::ShowFrame(const Image& frame) {
  if (paintDc_ != nullptr) {
    DrawImage(paintDc_, frame);
    return;
  }
  const WindowDC dc(window());
  if (dc.get() != nullptr) DrawImage(dc.get(), frame);
}

void Win32WorldWindow::DescribeFrame(const std::string& description) {
  description_.Describe(window(), description);
}

void Win32WorldWindow::ShowMessage(const std::string& text) {
  MessageBoxA(window(), text.c_str(), services_.applicationName.c_str(), MB_OK);
}

}  // namespace lumivane::win32
