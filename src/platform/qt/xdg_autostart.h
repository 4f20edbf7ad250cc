#pragma once

#include <QString>
#include <optional>
#include <string>

#include "settings/ports.h"

namespace lumivane {

// Starting at logon through the XDG autostart entry
// $XDG_CONFIG_HOME/autostart/Lumivane.desktop, whose Exec line starts the
// program by its quoted path. The entry's name is fixed; it does not follow
// the program file's name.
class XdgAutostart : public StartupRegistration {
 public:
  // The program path is the running application's.
  XdgAutostart() = default;
  explicit XdgAutostart(std::string programPath);

  // Follows XDG_CONFIG_HOME as it is at the call.
  static QString EntryFilePath();

  // Empty when there is no QCoreApplication to ask.
  std::string ProgramPath() override;
  // Writes the whole entry atomically; false when it could not be written.
  bool Register(const std::string& quotedCommand) override;
  // Deletes the entry file, and nothing else.
  void Unregister() override;

 private:
  std::optional<std::string> programPath_;
};

// The Exec value that starts the quoted program path: quoted and escaped as
// desktop entries require, so that any path (spaces, quotes, '$', '%',
// backslashes, line breaks) starts exactly that file.
std::string DesktopExecValue(const std::string& quotedCommand);

}  // namespace lumivane
