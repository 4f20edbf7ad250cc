#include "app/tray_icon.h"

namespace lumivane {

int TrayIcon::Add(WindowSystem& window, const std::string& tip) {
  if (added_) return 1;
  added_ = true;
  return window.AddTrayIcon(tip.substr(0, kTrayTipMaxLength));
}

int TrayIcon::Remove(WindowSystem& window) {
  if (!added_) return 1;
  added_ = false;
  return window.RemoveTrayIcon();
}

}  // namespace lumivane
