#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <variant>

#include "settings/ports.h"

namespace lumivane {

// Settings given for one run (a command line) over a store, or over the
// defaults when there is none: a value set here wins, any other is read from
// below. Nothing is ever written: the run leaves the user's settings alone.
class OverlayStore final : public ProfileStore {
 public:
  explicit OverlayStore(ProfileStore* below) : below_(below) {}

  void Set(std::string_view section, std::string_view name, std::int32_t value);
  void Set(std::string_view section, std::string_view name, std::string_view text);

  std::int32_t ReadSettingInt(std::string_view section, std::string_view name,
                              std::int32_t defaultValue) override;
  std::string ReadSettingString(std::string_view section, std::string_view name,
                                std::string_view defaultValue) override;
  // Dropped; false, since nothing was stored.
  bool WriteSettingInt(std::string_view, std::string_view, std::int32_t) override { return false; }
  bool WriteSettingString(std::string_view, std::string_view, std::string_view) override {
    return false;
  }

 private:
  using Key = std::pair<std::string, std::string>;
  const std::variant<std::int32_t, std::string>* Find(std::string_view section,
                                                      std::string_view name) const;

  ProfileStore* below_;
  std::map<Key, std::variant<std::int32_t, std::string>> given_;
};

}  // namespace lumivane
