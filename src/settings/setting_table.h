#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "settings/ports.h"

namespace lumivane {

// Every stored setting: its section and key (the names stored files and
// registries hold), what a missing value means, and the range it is used in.
// A stored value outside the range is used clamped and never rewritten.
struct NumberSetting {
  std::string_view section;
  std::string_view key;
  std::int32_t defaultValue = 0;
  std::int32_t minimum = std::numeric_limits<std::int32_t>::min();
  std::int32_t maximum = std::numeric_limits<std::int32_t>::max();
};

// An on/off setting: stored as a number, on when nonzero; a strict one takes
// only 0 and 1 and reads anything else as its default.
struct FlagSetting {
  std::string_view section;
  std::string_view key;
  bool defaultValue = false;
  bool strict = false;
};

struct TextSetting {
  std::string_view section;
  std::string_view key;
  std::string_view defaultValue;
};

// The window's place: anchors -1 (left/top edge), 0 (none), 1 (right/bottom
// edge); position in screen pixels.
inline constexpr NumberSetting kAnchorX{"anchor", "x"};
inline constexpr NumberSetting kAnchorY{"anchor", "y"};
inline constexpr NumberSetting kPositionX{"position", "x"};
inline constexpr NumberSetting kPositionY{"position", "y"};
inline constexpr FlagSetting kAlwaysOnTop{"position", "ontop", false};
inline constexpr FlagSetting kShowSun{"options", "sun", true};
inline constexpr FlagSetting kSunCentered{"options", "suncentered", false};
inline constexpr FlagSetting kShowMoon{"options", "moon", true};
inline constexpr FlagSetting kShowTrayIcon{"options", "tray", true};
// Start at logon: any nonzero wish is kept as it is stored.
inline constexpr NumberSetting kRunAtStartup{"options", "start", 0};
// "Default" is the built-in map, anything else a picture file.
inline constexpr TextSetting kEarthMapFile{"options", "image", "Default"};
// The map file whose load has begun and not yet ended; "Default" when none.
inline constexpr TextSetting kEarthMapFileLoading{"options", "loadingimage", "Default"};
// Thirtieths of the base size; the markers follow it too.
inline constexpr NumberSetting kScale{"size", "scale", 30, 1, 100};
// The base size, shown at scale 30, stored as an unsigned 32-bit number; its
// default is the Earth map's native size.
inline constexpr NumberSetting kBaseWidth{"size", "w"};
inline constexpr NumberSetting kBaseHeight{"size", "h"};
inline constexpr NumberSetting kNightDarkness{"colors", "nightfilter", 50, 1, 100};
// The sky: twilight bands, the precise sun and moon, and city lights ("None",
// "Default" for the built-in picture, or a picture file).
inline constexpr FlagSetting kTwilight{"sky", "twilight", false, true};
inline constexpr FlagSetting kPreciseSky{"sky", "precise", false, true};
inline constexpr TextSetting kNightLightsFile{"sky", "nightlights", "None"};
inline constexpr std::string_view kNoNightLights = "None";
inline constexpr std::string_view kBuiltinNightLights = "Default";
// Places pinned on the map ("LAT,LON,LABEL" entries separated by ';', see
// pin_text.h) and whether their names are shown.
inline constexpr TextSetting kPins{"places", "pins", ""};
inline constexpr FlagSetting kPinNames{"places", "names", true, true};

// The stored value, or the default; clamped to the setting's range.
inline std::int32_t ReadSetting(ProfileStore& store, const NumberSetting& setting) {
  return std::clamp(store.ReadSettingInt(setting.section, setting.key, setting.defaultValue),
                    setting.minimum, setting.maximum);
}
inline bool ReadSetting(ProfileStore& store, const FlagSetting& setting) {
  const std::int32_t value =
      store.ReadSettingInt(setting.section, setting.key, setting.defaultValue ? 1 : 0);
  if (setting.strict && value != 0 && value != 1) return setting.defaultValue;
  return value != 0;
}
inline std::string ReadSetting(ProfileStore& store, const TextSetting& setting) {
  return store.ReadSettingString(setting.section, setting.key, setting.defaultValue);
}

// Write results are not acted on anywhere; the store keeps what it could.
inline void WriteSetting(ProfileStore& store, const NumberSetting& setting, std::int32_t value) {
  store.WriteSettingInt(setting.section, setting.key, value);
}
inline void WriteSetting(ProfileStore& store, const FlagSetting& setting, bool on) {
  store.WriteSettingInt(setting.section, setting.key, on ? 1 : 0);
}
inline void WriteSetting(ProfileStore& store, const TextSetting& setting, std::string_view text) {
  store.WriteSettingString(setting.section, setting.key, text);
}

// The setting with another default, for the base size.
constexpr NumberSetting WithDefault(NumberSetting setting, std::int32_t defaultValue) {
  setting.defaultValue = defaultValue;
  return setting;
}

}  // namespace lumivane
