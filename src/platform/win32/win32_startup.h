#pragma once

#include <windows.h>

#include <string>

#include "app/application.h"

namespace lumivane::win32 {

// Start-up on Windows: the named mutex, the program file, the registry root,
// the common controls, and the world window run modally.
class Win32StartupPlatform final : public StartupPlatform {
 public:
  explicit Win32StartupPlatform(HINSTANCE instance) : instance_(instance) {}

  bool AcquireSingleInstanceLock(const std::string& name) override;
  std::string ProgramFilePath() override;
  void UseSettingsRoot(const std::string& company, const std::string& application) override;
  int RunWorldWindow(const std::string& applicationName) override;

 private:
  HINSTANCE instance_;
  std::string company_;
  std::string application_;
};

}  // namespace lumivane::win32
