#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "astro/unix_time.h"

namespace lumivane {

// The world window's ports: what it asks of the platform, and the platform's
// events in the core's own terms. Each shell implements them on its
// platform; tests record the calls.

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

// The buttons and keys held during a mouse move over the window.
struct MouseKeys {
  bool leftButton = false;
  bool rightButton = false;
  bool middleButton = false;
  bool extraButton = false;  // the side buttons some mice have
  bool shift = false;
  bool control = false;
  friend bool operator==(const MouseKeys&, const MouseKeys&) = default;
};

// What the notification-area icon reports.
enum class TrayEvent { PointerMoved, LeftButtonUp, RightButtonUp };

// The world window's timers.
enum class TimerId : std::int32_t { Refresh = 1, Peek = 2, Tooltip = 3 };

// The world window itself.
class Window {
 public:
  virtual ~Window() = default;

  // Gives the window its big and small icon (the program icon).
  virtual void SetWindowIcons() = 0;
  // The monitors' desktop areas, in the coordinates of the window's own
  // rectangle, the primary monitor's first. Read afresh at every use: the
  // monitors may have changed since.
  virtual std::vector<WindowRect> MonitorRects() = 0;
  // The window's normal-position rectangle (placement record), and writing
  // it back: the only way the window moves or changes size.
  virtual WindowRect GetWindowPlacement() = 0;
  virtual void SetWindowPlacement(const WindowRect& normalPosition) = 0;
  // Device pixels for each pixel of the window's size as the settings give
  // it: the monitor's scale (its DPI / 96) where window rectangles are in
  // device pixels, 1 where the window system scales windows itself.
  virtual double WindowSizeScale() const { return 1.0; }
  // A z-order change that never moves or resizes the window.
  virtual void SetZOrder(ZOrder order) = 0;
  // Invalidates the whole window without erasing and paints it before
  // returning (the paint comes back through the world window's OnPaint).
  virtual void RedrawNow() = 0;
  // Ends the world window's modal run with the result.
  virtual void EndWorldWindow(int result) = 0;
  // Shows the text (lines separated by '\n') in a tooltip at the pointer,
  // and takes it away.
  virtual void ShowTooltip(const std::string& text) = 0;
  virtual void HideTooltip() = 0;
};

class Timers {
 public:
  virtual ~Timers() = default;
  virtual void StartTimer(TimerId id, std::int32_t periodMs) = 0;
  // Stopping a timer that is not running does nothing.
  virtual void StopTimer(TimerId id) = 0;
};

// The notification area. The results are the platform's, and nobody acts
// on them.
class NotificationArea {
 public:
  virtual ~NotificationArea() = default;
  virtual int AddTrayIcon(const std::string& tip) = 0;
  virtual int RemoveTrayIcon() = 0;
};

class SetupDialog {
 public:
  virtual ~SetupDialog() = default;
  // Runs the setup dialog modally and returns how it ended (1 OK, 2 Cancel,
  // 77 Exit, 88 reload, -1 when it could not be created).
  virtual int RunSetupDialog() = 0;
};

// What start-up needs from the platform.
class StartupPlatform {
 public:
  virtual ~StartupPlatform() = default;

  // Takes the named lock for the life of the process. False only when
  // another instance already holds it; any other failure lets start-up go on.
  virtual bool AcquireSingleInstanceLock(const std::string& name) = 0;
  // The full path of the program file that is running.
  virtual std::string ProgramFilePath() = 0;
  // Roots the settings under the company and application keys.
  virtual void UseSettingsRoot(const std::string& company, const std::string& application) = 0;
  // Builds the world window and runs it modally until it ends.
  virtual int RunWorldWindow(const std::string& applicationName) = 0;
};

// The computer's clock, injected so tests drive time.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual UnixTime Now() = 0;
};

}  // namespace lumivane
