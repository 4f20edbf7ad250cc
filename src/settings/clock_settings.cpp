#include "settings/clock_settings.h"

#include "settings/display_size.h"
#include "settings/pin_text.h"

namespace lumivane {

void ReadMarkerSettings(ProfileStore& store, ClockSettings& settings) {
  settings.showSun = ReadSetting(store, kShowSun);
  settings.sunCentered = ReadSetting(store, kSunCentered);
  settings.showMoon = ReadSetting(store, kShowMoon);
}

void ReadSizeAndSkySettings(ProfileStore& store, ClockSettings& settings, std::int32_t nativeWidth,
                            std::int32_t nativeHeight) {
  settings.scale = ReadSetting(store, kScale);
  const std::int32_t baseWidth = ReadSetting(store, WithDefault(kBaseWidth, nativeWidth));
  const std::int32_t baseHeight = ReadSetting(store, WithDefault(kBaseHeight, nativeHeight));
  const DisplaySize display = ComputeDisplaySize(static_cast<std::uint32_t>(baseWidth),
                                                 static_cast<std::uint32_t>(baseHeight),
                                                 settings.scale, nativeWidth, nativeHeight);
  settings.displayWidth = display.width;
  settings.displayHeight = display.height;

  settings.nightDarkness = ReadSetting(store, kNightDarkness);
  settings.twilight = ReadSetting(store, kTwilight);
  settings.preciseSky = ReadSetting(store, kPreciseSky);
  settings.nightLightsFile = ReadSetting(store, kNightLightsFile);
  settings.pins = ReadPins(ReadSetting(store, kPins));
  settings.pinNames = ReadSetting(store, kPinNames);
}

ClockSettings ReadPictureSettings(ProfileStore& store, std::int32_t nativeWidth,
                                  std::int32_t nativeHeight) {
  ClockSettings settings;
  ReadMarkerSettings(store, settings);
  ReadSizeAndSkySettings(store, settings, nativeWidth, nativeHeight);
  return settings;
}

}  // namespace lumivane
