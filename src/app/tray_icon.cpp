#include "app/tray_icon.h"

namespace lumivane {

int TrayIcon::Add(NotificationArea& area, const std::string& tip) {
  if (added_) return 1;
  added_ = true;
  return area.AddTrayIcon(tip.substr(0, kTrayTipMaxLength));
}

int TrayIcon::Remove(NotificationArea& area) {
  if (!added_) return 1;
  added_ = false;
  return area.RemoveTrayIcon();
}

}  // namespace lumivane
