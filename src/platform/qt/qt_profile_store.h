#pragma once

#include <QString>
#include <optional>

#include "platform/qt/ini_document.h"
#include "settings/ports.h"

namespace lumivane {

// The settings in an INI file, one group per section:
// $XDG_CONFIG_HOME/Brevanta/<application name>.ini, spelled as QSettings'
// INI format spells it. Every call opens the file anew, so hand edits are
// seen at the next read.
//
// Only plain numbers and texts are read: only the lines that ScreenIni lets
// through are parsed. Anything else, a value of the wrong type, and every
// value of a file that cannot be read, reads as the default. Reads never
// create or rewrite the file. A write changes the file in memory and
// replaces it whole, once, beside itself (through a symbolic link, its
// target), or leaves it untouched and returns false (a full disk, a folder in
// its place); the first failed write of a run says so in one line on
// standard error. When the file holds lines that cannot be read, the first
// write keeps the file as it was beside it ("<file>.bad") and says so too.
class QtProfileStore : public ProfileStore {
 public:
  static constexpr const char* kOrganization = "Brevanta";

  // The location follows XDG_CONFIG_HOME as it is at construction.
  explicit QtProfileStore(const QString& applicationName);

  static QString DefaultFilePath(const QString& applicationName);
  const QString& filePath() const { return filePath_; }

  std::int32_t ReadSettingInt(std::string_view section, std::string_view name,
                              std::int32_t defaultValue) override;
  bool WriteSettingInt(std::string_view section, std::string_view name,
                       std::int32_t value) override;
  std::string ReadSettingString(std::string_view section, std::string_view name,
                                std::string_view defaultValue) override;
  bool WriteSettingString(std::string_view section, std::string_view name,
                          std::string_view text) override;
  bool WriteSettings(std::span<const Value> values) override;

 private:
  std::optional<QString> ReadValue(std::string_view section, std::string_view name) const;
  // The file as it is now, parsed again only when its bytes have changed
  // since the last read.
  const IniDocument& CurrentDocument() const;
  bool Report(const QString& cause);

  QString filePath_;
  bool failureReported_ = false;
  mutable std::optional<QByteArray> parsedContents_;
  mutable IniDocument parsed_{QByteArray()};
};

}  // namespace lumivane
