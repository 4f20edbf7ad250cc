#pragma once

#include <string>

#include "platform/win32/win32_handles.h"
#include "settings/ports.h"

namespace lumivane::win32 {

// The settings in the current user's registry: one key per section under
// HKEY_CURRENT_USER\Software\<company>\<application>. Every call opens (and
// creates, if need be) the chain of keys, makes its one access and closes
// them all, so a read leaves the empty key chain behind. A value of another
// type or size than expected reads as the default.
class RegistryProfileStore final : public ProfileStore {
 public:
  RegistryProfileStore(std::string company, std::string application);

  std::int32_t ReadSettingInt(std::string_view section, std::string_view name,
                              std::int32_t defaultValue) override;
  bool WriteSettingInt(std::string_view section, std::string_view name,
                       std::int32_t value) override;
  std::string ReadSettingString(std::string_view section, std::string_view name,
                                std::string_view defaultValue) override;
  bool WriteSettingString(std::string_view section, std::string_view name,
                          std::string_view text) override;

 private:
  // The section's key; empty when any key of the chain cannot be opened.
  RegistryKey OpenSection(std::string_view section) const;

  std::string company_;
  std::string application_;
};

}  // namespace lumivane::win32
