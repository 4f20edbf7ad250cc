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
  // Writes the whole entry atomically; false when it could not be written,
  // which the message sink given below is told, naming the file and why.
  bool Register(const std::string& quotedCommand) override;
  // Deletes the entry file, and nothing else.
  void Unregister() override;

  // Without one, a failure is only the result.
  void ReportFailuresTo(MessageSink& messages) { messages_ = &messages; }

 private:
  bool Report(const QString& path, const QString& cause);

  std::optional<std::string> programPath_;
  MessageSink* messages_ = nullptr;
};

// The Exec value that starts the quoted program path: quoted and escaped as
// desktop entries require, so that any path (spaces, quotes, '$', '%',
// backslashes, line breaks) starts exactly that file; a path holding '%' is
// started through env, which GLib's launcher needs.
std::string DesktopExecValue(const std::string& quotedCommand);

}  // namespace lumivane
