#pragma once

#include <string>

#include "settings/ports.h"

namespace lumivane::win32 {

// The per-user start entry: value "Lumivane" (REG_SZ, the quoted program
// path) of the Run key, HKEY_CURRENT_USER + kRunKeyPath.
// The key is only opened, never created.
class RunKeyRegistration final : public StartupRegistration {
 public:
  static constexpr const char* kRunKeyPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  static constexpr const char* kValueName = "Lumivane";

  // valueName: tests use a scratch name so they leave a real entry alone.
  explicit RunKeyRegistration(std::string valueName = kValueName);

  std::string ProgramPath() override;
  bool Register(const std::string& quotedCommand) override;
  void Unregister() override;

 private:
  std::string valueName_;
};

// The full path of the running program file; empty when it cannot be read.
std::string ModuleFilePath();

}  // namespace lumivane::win32
