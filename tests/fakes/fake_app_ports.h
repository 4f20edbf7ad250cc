#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/ports.h"
#include "fakes/call_log.h"

namespace lumivane {

// Fakes of the world window's ports. Each records its calls as readable
// lines ("SetWindowPos HWND_TOPMOST", "SetTimer 1 300000") and keeps what a
// small window manager would: a window rectangle, a desktop, running timers.

class FakeWindow : public Window, public CallLog {
 public:
  using CallLog::CallLog;

  // The primary monitor, listed first, then any others.
  WindowRect desktop{0, 0, 1280, 800};
  std::vector<WindowRect> otherMonitors;
  WindowRect window{0, 0, 400, 200};
  double windowSizeScale = 1.0;
  // Called inside RedrawNow, as a platform would paint there.
  std::function<void()> onRedraw;

  void SetWindowIcons() override;
  std::vector<WindowRect> MonitorRects() override;
  WindowRect GetWindowPlacement() override;
  void SetWindowPlacement(const WindowRect& normalPosition) override;
  double WindowSizeScale() const override { return windowSizeScale; }
  void SetZOrder(ZOrder order) override;
  void RedrawNow() override;
  void EndWorldWindow(int result) override;
  // Logged with its lines joined by " | ".
  void ShowTooltip(const std::string& text) override;
  void HideTooltip() override;
};

class FakeTimers : public Timers, public CallLog {
 public:
  using CallLog::CallLog;

  std::vector<TimerId> runningTimers;

  void StartTimer(TimerId id, std::int32_t periodMs) override;
  void StopTimer(TimerId id) override;
  bool TimerRunning(TimerId id) const;
};

class FakeNotificationArea : public NotificationArea, public CallLog {
 public:
  using CallLog::CallLog;

  int trayResult = 1;

  int AddTrayIcon(const std::string& tip) override;
  int RemoveTrayIcon() override;
};

class FakeSetupDialog : public SetupDialog, public CallLog {
 public:
  using CallLog::CallLog;

  int setupResult = 2;
  // Called inside RunSetupDialog, as a platform runs a nested modal loop.
  std::function<void()> duringSetup;

  int RunSetupDialog() override;
};

// "Lock LumivaneMutex", "ProgramFilePath", "SettingsRoot Brevanta/Lumivane",
// "RunWorldWindow Lumivane".
class FakeStartupPlatform : public StartupPlatform, public CallLog {
 public:
  using CallLog::CallLog;

  bool lockFree = true;
  std::string path = "C:\\Tools\\Lumivane.exe";

  bool AcquireSingleInstanceLock(const std::string& name) override {
    log.push_back("Lock " + name);
    return lockFree;
  }
  std::string ProgramFilePath() override {
    log.push_back("ProgramFilePath");
    return path;
  }
  void UseSettingsRoot(const std::string& company, const std::string& application) override {
    log.push_back("SettingsRoot " + company + "/" + application);
  }
  int RunWorldWindow(const std::string& applicationName) override {
    log.push_back("RunWorldWindow " + applicationName);
    return -1;
  }
};

std::string ToString(const WindowRect& r);

}  // namespace lumivane
