#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "fakes/call_log.h"
#include "settings/ports.h"

namespace lumivane {

// An in-memory settings tree. Every call is logged as a readable line:
//   ReadSettingInt size/scale 30 -> 0
//   WriteSettingInt options/start 1
//   ReadSettingString options/image "Default" -> "/maps/earth.bmp"
//   WriteSettingString options/image "Default"
// Values set with Set() are stored without being logged. A value of the
// other kind (a text read as a number, ...) reads as the default.
class FakeProfileStore : public ProfileStore, public CallLog {
 public:
  using CallLog::CallLog;

  bool failWrites = false;  // writes report failure and store nothing

  void Set(std::string_view section, std::string_view name, std::int32_t value);
  void Set(std::string_view section, std::string_view name, std::string_view text);
  std::optional<std::int32_t> IntValue(std::string_view section, std::string_view name) const;
  std::optional<std::string> StringValue(std::string_view section, std::string_view name) const;
  bool Has(std::string_view section, std::string_view name) const;
  std::size_t ValueCount() const { return values_.size(); }

  std::int32_t ReadSettingInt(std::string_view section, std::string_view name,
                              std::int32_t defaultValue) override;
  bool WriteSettingInt(std::string_view section, std::string_view name,
                       std::int32_t value) override;
  std::string ReadSettingString(std::string_view section, std::string_view name,
                                std::string_view defaultValue) override;
  bool WriteSettingString(std::string_view section, std::string_view name,
                          std::string_view text) override;

 private:
  using Value = std::variant<std::int32_t, std::string>;
  static std::string Key(std::string_view section, std::string_view name);

  std::map<std::string, Value> values_;
};

// A text as the logs show it: in double quotes, line breaks as \n.
std::string Quoted(std::string_view text);

}  // namespace lumivane
