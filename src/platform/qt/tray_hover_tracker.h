#pragma once

#include <QPoint>
#include <optional>

namespace lumivane {

// Turns polled pointer positions into hover reports the way a notification
// area sends mouse moves: one when the pointer comes onto the icon and one
// for every move over it, none while it rests there.
class TrayHoverTracker {
 public:
  // True when this poll is a hover to report.
  bool Poll(bool overIcon, QPoint pointer) {
    if (!overIcon) {
      last_.reset();
      return false;
    }
    if (last_ == pointer) return false;
    last_ = pointer;
    return true;
  }

 private:
  std::optional<QPoint> last_;
};

}  // namespace lumivane
