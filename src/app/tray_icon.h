#pragma once

#include <string>

#include "app/ports.h"

namespace lumivane {

// The notification-area icon's tip.
inline constexpr const char* kTrayTip = "Lumivane";
// The tip field holds 64 bytes with the terminating zero.
inline constexpr std::size_t kTrayTipMaxLength = 63;

// Adds and removes the notification-area icon, each at most once in a row.
// A failed add still counts as added, so it is not retried until the icon
// has been removed again.
class TrayIcon {
 public:
  // Nonzero without asking the platform when the icon is already added.
  int Add(NotificationArea& area, const std::string& tip = kTrayTip);
  // Nonzero without asking the platform when no icon was added.
  int Remove(NotificationArea& area);

  bool added() const { return added_; }

 private:
  bool added_ = false;
};

}  // namespace lumivane
