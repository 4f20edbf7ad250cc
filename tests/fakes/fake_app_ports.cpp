#include "fakes/fake_app_ports.h"

#include <algorithm>

namespace lumivane {

namespace {

const char* Name(ZOrder order) {
  switch (order) {
    case ZOrder::Top: return "HWND_TOP";
    case ZOrder::Bottom: return "HWND_BOTTOM";
    case ZOrder::Topmost: return "HWND_TOPMOST";
    case ZOrder::NotTopmost: return "HWND_NOTOPMOST";
  }
  return "?";
}

}  // namespace

std::string ToString(const WindowRect& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
         "," + std::to_string(r.bottom);
}

void FakeWindow::SetWindowIcons() { log.push_back("SetWindowIcons"); }

std::vector<WindowRect> FakeWindow::MonitorRects() {
  log.push_back("MonitorRects");
  std::vector<WindowRect> monitors{desktop};
  monitors.insert(monitors.end(), otherMonitors.begin(), otherMonitors.end());
  return monitors;
}

WindowRect FakeWindow::GetWindowPlacement() {
  log.push_back("GetWindowPlacement");
  return window;
}

void FakeWindow::SetWindowPlacement(const WindowRect& normalPosition) {
  window = normalPosition;
  log.push_back("SetWindowPlacement " + ToString(normalPosition));
}

void FakeWindow::SetZOrder(ZOrder order) {
  log.push_back(std::string("SetWindowPos ") + Name(order));
}

void FakeTimers::StartTimer(TimerId id, std::int32_t periodMs) {
  log.push_back("SetTimer " + std::to_string(static_cast<int>(id)) + " " +
                std::to_string(periodMs));
  if (!TimerRunning(id)) runningTimers.push_back(id);
}

void FakeTimers::StopTimer(TimerId id) {
  log.push_back("KillTimer " + std::to_string(static_cast<int>(id)));
  std::erase(runningTimers, id);
}

void FakeWindow::RedrawNow() {
  log.push_back("RedrawNow");
  if (onRedraw) onRedraw();
}

int FakeNotificationArea::AddTrayIcon(const std::string& tip) {
  log.push_back("AddTrayIcon " + tip);
  return trayResult;
}

int FakeNotificationArea::RemoveTrayIcon() {
  log.push_back("RemoveTrayIcon");
  return 1;
}

int FakeSetupDialog::RunSetupDialog() {
  log.push_back("RunSetupDialog");
  if (duringSetup) duringSetup();
  return setupResult;
}

void FakeWindow::EndWorldWindow(int result) {
  log.push_back("EndDialog " + std::to_string(result));
}

void FakeWindow::ShowTooltip(const std::string& text) {
  std::string line = "ShowTooltip ";
  for (const char c : text) {
    if (c == '\n') {
      line += " | ";
    } else {
      line += c;
    }
  }
  log.push_back(line);
}

void FakeWindow::HideTooltip() { log.push_back("HideTooltip"); }

bool FakeTimers::TimerRunning(TimerId id) const {
  return std::find(runningTimers.begin(), runningTimers.end(), id) != runningTimers.end();
}

}  // namespace lumivane
