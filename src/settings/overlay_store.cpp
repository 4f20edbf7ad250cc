#include "settings/overlay_store.h"

namespace lumivane {

void OverlayStore::Set(std::string_view section, std::string_view name, std::int32_t value) {
  given_[{std::string(section), std::string(name)}] = value;
}

void OverlayStore::Set(std::string_view section, std::string_view name, std::string_view text) {
  given_[{std::string(section), std::string(name)}] = std::string(text);
}

const std::variant<std::int32_t, std::string>* OverlayStore::Find(std::string_view section,
                                                                  std::string_view name) const {
  const auto found = given_.find({std::string(section), std::string(name)});
  return found == given_.end() ? nullptr : &found->second;
}

std::int32_t OverlayStore::ReadSettingInt(std::string_view section, std::string_view name,
                                          std::int32_t defaultValue) {
  if (const auto* given = Find(section, name)) {
    if (const auto* number = std::get_if<std::int32_t>(given)) return *number;
    return defaultValue;
  }
  return below_ ? below_->ReadSettingInt(section, name, defaultValue) : defaultValue;
}

std::string OverlayStore::ReadSettingString(std::string_view section, std::string_view name,
                                            std::string_view defaultValue) {
  if (const auto* given = Find(section, name)) {
    if (const auto* text = std::get_if<std::string>(given)) return *text;
    return std::string(defaultValue);
  }
  return below_ ? below_->ReadSettingString(section, name, defaultValue)
                : std::string(defaultValue);
}

}  // namespace lumivane
