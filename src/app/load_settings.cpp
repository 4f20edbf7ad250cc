#include "app/load_settings.h"

#include "settings/setting_table.h"

namespace lumivane {

ClockSettings LoadSettings(ProfileStore& store, Window& window, TrayIcon& tray,
                           NotificationArea& area, std::int32_t nativeWidth,
                           std::int32_t nativeHeight) {
  ClockSettings settings;
  settings.anchorX = ReadSetting(store, kAnchorX);
  settings.anchorY = ReadSetting(store, kAnchorY);
  settings.positionX = ReadSetting(store, kPositionX);
  settings.positionY = ReadSetting(store, kPositionY);

  ReadMarkerSettings(store, settings);

  settings.onTop = ReadSetting(store, kAlwaysOnTop);
  window.SetZOrder(settings.onTop ? ZOrder::Topmost : ZOrder::NotTopmost);
  // The tray choice is applied, not kept.
  if (ReadSetting(store, kShowTrayIcon)) {
    tray.Add(area);
  } else {
    tray.Remove(area);
  }

  ReadSizeAndSkySettings(store, settings, nativeWidth, nativeHeight);
  return settings;
}

}  // namespace lumivane
