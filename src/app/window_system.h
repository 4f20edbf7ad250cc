#pragma once

#include <cstdint>
#include <string>

#include "render/image.h"

namespace lumivane {

// A rectangle in screen pixels; right and bottom are exclusive.
struct WindowRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
  friend bool operator==(const WindowRect&, const WindowRect&) = default;
};

// Where a z-order change puts the world window.
enum class ZOrder {
  Top,         // above the other normal windows
  Bottom,      // below every other window
  Topmost,     // into the always-on-top band
  NotTopmost,  // out of it, staying above the normal windows
};

// Mouse messages as the tray icon and the window report them.
enum class MouseMessage : std::uint32_t {
  Move = 0x0200,
  LeftButtonDown = 0x0201,
  LeftButtonUp = 0x0202,
  LeftButtonDoubleClick = 0x0203,
  RightButtonDown = 0x0204,
  RightButtonUp = 0x0205,
};

// Key-state flags of a mouse move.
inline constexpr std::uint32_t kLeftButtonOnly = 0x0001;  // MK_LBUTTON

// The world window's timers.
enum class TimerId : std::int32_t { Refresh = 1, Peek = 2 };
inline constexpr std::int32_t kPeekPeriodMs = 3000;

// Everything the world window asks of the window system. Each shell
// implements it on its platform; tests record the calls.
class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  // Gives the window its big and small icon (the program icon).
  virtual void SetWindowIcons() = 0;

  // The desktop area, in the coordinates of the window's own rectangle.
  virtual WindowRect DesktopRect() = 0;
  // The window's normal-position rectangle (placement record), and writing
  // it back: the only way the window moves or changes size.
  virtual WindowRect GetWindowPlacement() = 0;
  virtual void SetWindowPlacement(const WindowRect& normalPosition) = 0;
  // A z-order change that never moves or resizes the window.
  virtual void SetZOrder(ZOrder order) = 0;

  virtual void StartTimer(TimerId id, std::int32_t periodMs) = 0;
  // Stopping a timer that is not running does nothing.
  virtual void StopTimer(TimerId id) = 0;

  // Invalidates the whole window without erasing and paints it before
  // returning (the paint comes back through the world window's OnPaint).
  virtual void RedrawNow() = 0;

  // Adds or removes the notification-area icon; the results are the
  // platform's, and nobody acts on them.
  virtual int AddTrayIcon(const std::string& tip) = 0;
  virtual int RemoveTrayIcon() = 0;

  // Runs the setup dialog modally and returns how it ended (1 OK, 2 Cancel,
  // 77 Exit, 88 reload, -1 when it could not be created).
  virtual int RunSetupDialog() = 0;
  // Ends the world window's modal run with the result.
  virtual void EndWorldWindow(int result) = 0;
};

}  // namespace lumivane
