#include "platform/win32/registry_profile_store.h"

#include <utility>

#include "platform/win32/registry_values.h"

namespace lumivane::win32 {

namespace {

RegistryKey CreateOrOpen(HKEY parent, const std::string& name) {
  HKEY key = nullptr;
  const LONG status = RegCreateKeyExA(parent, name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                      KEY_READ | KEY_WRITE, nullptr, &key, nullptr);
  return status == ERROR_SUCCESS ? RegistryKey(key) : RegistryKey();
}

}  // namespace

RegistryProfileStore::RegistryProfileStore(std::string company, std::string application)
    : company_(std::move(company)), application_(std::move(application)) {}

RegistryKey RegistryProfileStore::OpenSection(std::string_view section) const {
  // Each level is closed as soon as the next one is open.
  RegistryKey key = CreateOrOpen(HKEY_CURRENT_USER, "Software");
  for (const std::string& name : {company_, application_, std::string(section)}) {
    if (!key) return {};
    key = CreateOrOpen(key.get(), name);
  }
  return key;
}

std::int32_t RegistryProfileStore::ReadSettingInt(std::string_view section, std::string_view name,
                                                  std::int32_t defaultValue) {
  const RegistryKey key = OpenSection(section);
  return key ? QueryDword(key.get(), std::string(name)).value_or(defaultValue) : defaultValue;
}

bool RegistryProfileStore::WriteSettingInt(std::string_view section, std::string_view name,
                                           std::int32_t value) {
  const RegistryKey key = OpenSection(section);
  return key && SetDword(key.get(), std::string(name), value);
}

std::string RegistryProfileStore::ReadSettingString(std::string_view section, std::string_view name,
                                                    std::string_view defaultValue) {
  const RegistryKey key = OpenSection(section);
  std::optional<std::string> text = key ? QueryString(key.get(), std::string(name)) : std::nullopt;
  return text ? std::move(*text) : std::string(defaultValue);
}

bool RegistryProfileStore::WriteSettingString(std::string_view section, std::string_view name,
                                              std::string_view text) {
  const RegistryKey key = OpenSection(section);
  return key && SetString(key.get(), std::string(name), text);
}

}  // namespace lumivane::win32
