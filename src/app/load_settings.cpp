#include "app/load_settings.h"

#include "settings/display_size.h"
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

  settings.showSun = ReadSetting(store, kShowSun);
  settings.sunCentered = ReadSetting(store, kSunCentered);
  settings.showMoon = ReadSetting(store, kShowMoon);

  settings.onTop = ReadSetting(store, kAlwaysOnTop);
  window.SetZOrder(settings.onTop ? ZOrder::Topmost : ZOrder::NotTopmost);
  // The tray choice is applied, not kept.
  if (ReadSetting(store, kShowTrayIcon)) {
    tray.Add(area);
  } else {
    tray.Remove(area);
  }

  settings.scale = ReadSetting(store, kScale);
  const std::int32_t baseWidth = ReadSetting(store, WithDefault(kBaseWidth, nativeWidth));
  const std::int32_t baseHeight = ReadSetting(store, WithDefault(kBaseHeight, nativeHeight));
  const DisplaySize display =
      ComputeDisplaySize(static_cast<std::uint32_t>(baseWidth),
                         static_cast<std::uint32_t>(baseHeight), settings.scale, nativeWidth,
                         nativeHeight);
  settings.displayWidth = display.width;
  settings.displayHeight = display.height;

  settings.nightDarkness = ReadSetting(store, kNightDarkness);
  return settings;
}

}  // namespace lumivane
