#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "settings/profile_store.h"

namespace lumivane {

// A value of the settings tree: its section and its name, as stored.
struct SettingKey {
  std::string_view section;
  std::string_view name;
};

inline constexpr SettingKey kAnchorX{"anchor", "x"};
inline constexpr SettingKey kAnchorY{"anchor", "y"};
inline constexpr SettingKey kPositionX{"position", "x"};
inline constexpr SettingKey kPositionY{"position", "y"};
inline constexpr SettingKey kPositionOnTop{"position", "ontop"};
inline constexpr SettingKey kOptionsSun{"options", "sun"};
inline constexpr SettingKey kOptionsSunCentered{"options", "suncentered"};
inline constexpr SettingKey kOptionsMoon{"options", "moon"};
inline constexpr SettingKey kOptionsTray{"options", "tray"};
inline constexpr SettingKey kOptionsStart{"options", "start"};
inline constexpr SettingKey kOptionsImage{"options", "image"};
// The map file whose load has begun and not yet ended; "Default" when none.
inline constexpr SettingKey kOptionsLoadingImage{"options", "loadingimage"};
inline constexpr SettingKey kSizeScale{"size", "scale"};
inline constexpr SettingKey kSizeWidth{"size", "w"};
inline constexpr SettingKey kSizeHeight{"size", "h"};
inline constexpr SettingKey kColorsNightFilter{"colors", "nightfilter"};

// options/image when the built-in Earth map is wanted.
inline constexpr std::string_view kDefaultImageSetting = "Default";

inline std::int32_t ReadSetting(ProfileStore& store, SettingKey key, std::int32_t defaultValue) {
  return store.ReadSettingInt(key.section, key.name, defaultValue);
}
inline std::string ReadSetting(ProfileStore& store, SettingKey key, std::string_view defaultValue) {
  return store.ReadSettingString(key.section, key.name, defaultValue);
}
// Write results are not acted on anywhere; the store keeps what it could.
inline void WriteSetting(ProfileStore& store, SettingKey key, std::int32_t value) {
  store.WriteSettingInt(key.section, key.name, value);
}
inline void WriteSetting(ProfileStore& store, SettingKey key, std::string_view text) {
  store.WriteSettingString(key.section, key.name, text);
}

// Scale and night filter are used within 1..100, whatever is stored.
inline constexpr std::int32_t ClampPercentSetting(std::int32_t value) {
  if (value < 1) value = 1;
  if (value > 100) value = 100;
  return value;
}

}  // namespace lumivane
