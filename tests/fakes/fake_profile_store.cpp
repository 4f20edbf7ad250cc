#include "fakes/fake_profile_store.h"

namespace lumivane {

std::string Quoted(std::string_view text) {
  std::string quoted = "\"";
  for (char c : text) quoted += c == '\n' ? std::string("\\n") : std::string(1, c);
  return quoted + '"';
}

std::string FakeProfileStore::Key(std::string_view section, std::string_view name) {
  return std::string(section) + '/' + std::string(name);
}

void FakeProfileStore::Set(std::string_view section, std::string_view name, std::int32_t value) {
  values_[Key(section, name)] = value;
}

void FakeProfileStore::Set(std::string_view section, std::string_view name, std::string_view text) {
  values_[Key(section, name)] = std::string(text);
}

std::optional<std::int32_t> FakeProfileStore::IntValue(std::string_view section,
                                                       std::string_view name) const {
  auto it = values_.find(Key(section, name));
  if (it == values_.end() || !std::holds_alternative<std::int32_t>(it->second)) return {};
  return std::get<std::int32_t>(it->second);
}

std::optional<std::string> FakeProfileStore::StringValue(std::string_view section,
                                                         std::string_view name) const {
  auto it = values_.find(Key(section, name));
  if (it == values_.end() || !std::holds_alternative<std::string>(it->second)) return {};
  return std::get<std::string>(it->second);
}

bool FakeProfileStore::Has(std::string_view section, std::string_view name) const {
  return values_.count(Key(section, name)) != 0;
}

std::int32_t FakeProfileStore::ReadSettingInt(std::string_view section, std::string_view name,
                                              std::int32_t defaultValue) {
  const std::int32_t result = IntValue(section, name).value_or(defaultValue);
  log.push_back("ReadSettingInt " + Key(section, name) + ' ' + std::to_string(defaultValue) +
                " -> " + std::to_string(result));
  return result;
}

bool FakeProfileStore::WriteSettingInt(std::string_view section, std::string_view name,
                                       std::int32_t value) {
  log.push_back("WriteSettingInt " + Key(section, name) + ' ' + std::to_string(value));
  if (failWrites) return false;
  Set(section, name, value);
  return true;
}

std::string FakeProfileStore::ReadSettingString(std::string_view section, std::string_view name,
                                                std::string_view defaultValue) {
  const std::string result = StringValue(section, name).value_or(std::string(defaultValue));
  log.push_back("ReadSettingString " + Key(section, name) + ' ' + Quoted(defaultValue) + " -> " +
                Quoted(result));
  return result;
}

bool FakeProfileStore::WriteSettingString(std::string_view section, std::string_view name,
                                          std::string_view text) {
  log.push_back("WriteSettingString " + Key(section, name) + ' ' + Quoted(text));
  if (failWrites) return false;
  Set(section, name, text);
  return true;
}

}  // namespace lumivane
