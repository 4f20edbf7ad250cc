#pragma once

#include <functional>
#include <string>
#include <vector>

#include "fakes/call_log.h"
#include "app/window_system.h"

namespace lumivane {

// Records every call as a readable line and keeps a window rectangle, a
// desktop and running timers like a small window manager would.
class FakeWindowSystem : public WindowSystem, public CallLog {
 public:
  using CallLog::CallLog;

  WindowRect desktop{0, 0, 1280, 800};
  WindowRect window{0, 0, 400, 200};
  std::vector<TimerId> runningTimers;
  int setupResult = 2;
  int trayResult = 1;
  // Called inside RedrawNow and RunSetupDialog, as a platform would paint
  // or run a nested modal loop there.
  std::function<void()> onRedraw;
  std::function<void()> duringSetup;

  void SetWindowIcons() override;
  WindowRect DesktopRect() override;
  WindowRect GetWindowPlacement() override;
  void SetWindowPlacement(const WindowRect& normalPosition) override;
  void SetZOrder(ZOrder order) override;
  void StartTimer(TimerId id, std::int32_t periodMs) override;
  void StopTimer(TimerId id) override;
  void RedrawNow() override;
  int AddTrayIcon(const std::string& tip) override;
  int RemoveTrayIcon() override;
  int RunSetupDialog() override;
  void EndWorldWindow(int result) override;

  bool TimerRunning(TimerId id) const;
  // The log lines that start with the prefix, in order.
  std::vector<std::string> Calls(const std::string& prefix) const;
};

std::string ToString(const WindowRect& r);

}  // namespace lumivane
