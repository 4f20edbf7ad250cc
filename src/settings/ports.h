#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "render/image.h"

namespace lumivane {

// The settings layer's ports: the store, the start-at-logon entry, message
// boxes and the decoder of the user's map pictures.

// Port: the per-user store of settings, named numbers and texts grouped in
// sections ("size", "options", ...). Every access stands alone: each read
// sees what is stored at that moment (a store may keep a parsed copy only
// while the stored bytes are unchanged), so the store stays the single
// source of truth.
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

  // Values that belong together (the window's place): a store that can
  // writes them as one change, all or none; by default one after another.
  struct Value {
    std::string_view section;
    std::string_view name;
    std::variant<std::int32_t, std::string_view> value;
  };
  virtual bool WriteSettings(std::span<const Value> values) {
    bool all = true;
    for (const Value& each : values) {
      const auto* number = std::get_if<std::int32_t>(&each.value);
      all = (number != nullptr ? WriteSettingInt(each.section, each.name, *number)
                               : WriteSettingString(each.section, each.name,
                                                    std::get<std::string_view>(each.value))) &&
            all;
    }
    return all;
  }
};

// Port: the per-user "start at logon" entry of the program.
class StartupRegistration {
 public:
  virtual ~StartupRegistration() = default;

  // Full path of the running program file; empty when it cannot be found.
  virtual std::string ProgramPath() = 0;
  // Creates or replaces the entry so that it starts the command, the program
  // path between double quotes. False when the entry could not be written.
  virtual bool Register(const std::string& quotedCommand) = 0;
  // Removes the entry if there is one, whoever made it.
  virtual void Unregister() = 0;
};

// Port: a message box with an OK button only, owned by the window that asks.
// The shell adds the caption (the application name) and waits for OK.
class MessageSink {
 public:
  virtual ~MessageSink() = default;
  virtual void ShowMessage(const std::string& text) = 0;
};

// Port: decodes a picture file of the user's (a Windows bitmap of any depth
// at least); nothing when it cannot be read or decoded.
class MapImageLoader {
 public:
  virtual ~MapImageLoader() = default;
  virtual std::optional<Image> LoadImageFile(const std::string& path) = 0;
};

}  // namespace lumivane
