#pragma once

#include <string>

namespace lumivane {

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

}  // namespace lumivane
