#include "settings/load_settings.h"

#include "settings/display_size.h"
#include "settings/setting_keys.h"

namespace lumivane {

ClockSettings LoadSettings(ProfileStore& store, SettingsEffects& effects,
                           std::int32_t nativeWidth, std::int32_t nativeHeight) {
  ClockSettings settings;
  settings.anchorX = ReadSetting(store, kAnchorX, 0);
  settings.anchorY = ReadSetting(store, kAnchorY, 0);
  settings.positionX = ReadSetting(store, kPositionX, 0);
  settings.positionY = ReadSetting(store, kPositionY, 0);

  settings.showSun = ReadSetting(store, kOptionsSun, 1) != 0;
  settings.sunCentered = ReadSetting(store, kOptionsSunCentered, 0) != 0;
  settings.showMoon = ReadSetting(store, kOptionsMoon, 1) != 0;

  settings.onTop = ReadSetting(store, kPositionOnTop, 0) != 0;
  effects.SetTopmost(settings.onTop);
  // The tray choice is applied, not kept.
  effects.ShowTrayIcon(ReadSetting(store, kOptionsTray, 1) != 0);

  settings.scale = ClampPercentSetting(ReadSetting(store, kSizeScale, 30));
  // The base size is stored as an unsigned 32-bit number.
  const auto baseWidth = static_cast<std::uint32_t>(ReadSetting(store, kSizeWidth, nativeWidth));
  const auto baseHeight =
      static_cast<std::uint32_t>(ReadSetting(store, kSizeHeight, nativeHeight));
  const DisplaySize display =
      ComputeDisplaySize(baseWidth, baseHeight, settings.scale, nativeWidth, nativeHeight);
  settings.displayWidth = display.width;
  settings.displayHeight = display.height;

  settings.nightFilter = ClampPercentSetting(ReadSetting(store, kColorsNightFilter, 50));
  return settings;
}

}  // namespace lumivane
