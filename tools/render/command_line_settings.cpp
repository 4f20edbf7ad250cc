#include "command_line_settings.h"

#include "settings/setting_keys.h"

namespace lumivane {

namespace {

std::pair<std::string, std::string> KeyOf(SettingKey key) {
  return {std::string(key.section), std::string(key.name)};
}

}  // namespace

CommandLineSettings::CommandLineSettings(const RenderOptions& options, ProfileStore* stored)
    : stored_(stored) {
  if (options.scale) numbers_[KeyOf(kSizeScale)] = *options.scale;
  if (options.nightFilter) numbers_[KeyOf(kColorsNightFilter)] = *options.nightFilter;
  if (options.noSun) numbers_[KeyOf(kOptionsSun)] = 0;
  if (options.noMoon) numbers_[KeyOf(kOptionsMoon)] = 0;
  if (options.sunCentered) numbers_[KeyOf(kOptionsSunCentered)] = 1;
  if (options.baseSize) {
    // Stored like size/w and size/h: the unsigned number's 32 bits.
    numbers_[KeyOf(kSizeWidth)] = static_cast<std::int32_t>(options.baseSize->width);
    numbers_[KeyOf(kSizeHeight)] = static_cast<std::int32_t>(options.baseSize->height);
  }
}

std::int32_t CommandLineSettings::ReadSettingInt(std::string_view section, std::string_view name,
                                                 std::int32_t defaultValue) {
  const auto given = numbers_.find(Key(section, name));
  if (given != numbers_.end()) return given->second;
  return stored_ ? stored_->ReadSettingInt(section, name, defaultValue) : defaultValue;
}

std::string CommandLineSettings::ReadSettingString(std::string_view section,
                                                   std::string_view name,
                                                   std::string_view defaultValue) {
  return stored_ ? stored_->ReadSettingString(section, name, defaultValue)
                 : std::string(defaultValue);
}

bool CommandLineSettings::WriteSettingInt(std::string_view, std::string_view, std::int32_t) {
  return false;
}

bool CommandLineSettings::WriteSettingString(std::string_view, std::string_view,
                                             std::string_view) {
  return false;
}

}  // namespace lumivane
