#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "render_options.h"
#include "settings/profile_store.h"

namespace lumivane {

// The settings the renderer works from: values given on the command line,
// over the user's stored settings (or over nothing, which gives the
// program's defaults). It never writes: the renderer only looks.
class CommandLineSettings final : public ProfileStore {
 public:
  // stored may be null: no stored settings.
  CommandLineSettings(const RenderOptions& options, ProfileStore* stored);

  std::int32_t ReadSettingInt(std::string_view section, std::string_view name,
                              std::int32_t defaultValue) override;
  bool WriteSettingInt(std::string_view section, std::string_view name,
                       std::int32_t value) override;
  std::string ReadSettingString(std::string_view section, std::string_view name,
                                std::string_view defaultValue) override;
  bool WriteSettingString(std::string_view section, std::string_view name,
                          std::string_view text) override;

 private:
  using Key = std::pair<std::string, std::string>;
  std::map<Key, std::int32_t> numbers_;
  ProfileStore* stored_;
};

}  // namespace lumivane
