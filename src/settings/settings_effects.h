#pragma once

namespace lumivane {

// Port: what loading the settings does to the world window at once, between
// its reads: the z-order band and the notification-area icon.
class SettingsEffects {
 public:
  virtual ~SettingsEffects() = default;
  // Into (true) or out of (false) the always-on-top band; never moves or
  // resizes the window.
  virtual void SetTopmost(bool onTop) = 0;
  // Adds the icon when it is not there yet, or removes it.
  virtual void ShowTrayIcon(bool shown) = 0;
};

}  // namespace lumivane
