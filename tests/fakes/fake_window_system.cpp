#include "fakes/fake_window_system.h"

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

void FakeWindowSystem::SetWindowIcons() { log.push_back("SetWindowIcons"); }

WindowRect FakeWindowSystem::DesktopRect() {
  log.push_back("DesktopRect");
  return desktop;
}

WindowRect FakeWindowSystem::GetWindowPlacement() {
  log.push_back("GetWindowPlacement");
  return window;
}

void FakeWindowSystem::SetWindowPlacement(const WindowRect& normalPosition) {
  window = normalPosition;
  log.push_back("SetWindowPlacement " + ToString(normalPosition));
}

void FakeWindowSystem::SetZOrder(ZOrder order) {
  log.push_back(std::string("SetWindowPos ") + Name(order));
}

void FakeWindowSystem::StartTimer(TimerId id, std::int32_t periodMs) {
  log.push_back("SetTimer " + std::to_string(static_cast<int>(id)) + " " +
                std::to_string(periodMs));
  if (!TimerRunning(id)) runningTimers.push_back(id);
}

void FakeWindowSystem::StopTimer(TimerId id) {
  log.push_back("KillTimer " + std::to_string(static_cast<int>(id)));
  std::erase(runningTimers, id);
}

void FakeWindowSystem::RedrawNow() {
  log.push_back("RedrawNow");
  if (onRedraw) onRedraw();
}

int FakeWindowSystem::AddTrayIcon(const std::string& tip) {
  log.push_back("AddTrayIcon " + tip);
  return trayResult;
}

int FakeWindowSystem::RemoveTrayIcon() {
  log.push_back("RemoveTrayIcon");
  return 1;
}

int FakeWindowSystem::RunSetupDialog() {
  log.push_back("RunSetupDialog");
  if (duringSetup) duringSetup();
  return setupResult;
}

void FakeWindowSystem::EndWorldWindow(int result) {
  log.push_back("EndDialog " + std::to_string(result));
}

bool FakeWindowSystem::TimerRunning(TimerId id) const {
  return std::find(runningTimers.begin(), runningTimers.end(), id) != runningTimers.end();
}

std::vector<std::string> FakeWindowSystem::Calls(const std::string& prefix) const {
  std::vector<std::string> matching;
  for (const std::string& line : log) {
    if (line.rfind(prefix, 0) == 0) matching.push_back(line);
  }
  return matching;
}

}  // namespace lumivane
