#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lumivane {

// Port: the per-user store of settings, named numbers and texts grouped in
// sections ("size", "options", ...). Every access stands alone; nothing is
// cached between calls, so the store stays the single source of truth.
class ProfileStore {
 public:
  virtual ~ProfileStore() = default;

  // The stored number; the default when the value is missing, is not a
  // number, or does not fit 32 bits.
  virtual std::int32_t ReadSettingInt(std::string_view section, std::string_view name,
                                      std::int32_t defaultValue) = 0;
  // True when the value was stored.
  virtual bool WriteSettingInt(std::string_view section, std::string_view name,
                               std::int32_t value) = 0;

  // The stored text; the default when the value is missing or unreadable.
  virtual std::string ReadSettingString(std::string_view section, std::string_view name,
                                        std::string_view defaultValue) = 0;
  virtual bool WriteSettingString(std::string_view section, std::string_view name,
                                  std::string_view text) = 0;
};

}  // namespace lumivane
