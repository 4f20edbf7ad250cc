#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

#include "app/application.h"

namespace lumivane {

// Start-up on Linux: the single-instance lock is a lock file in the user's
// runtime folder ($XDG_RUNTIME_DIR), the settings Lumivane's INI file
// whatever the program file is called, and the world window runs in its own
// event loop until it ends, or the session, the terminal or the display does.
class QtStartupPlatform final : public StartupPlatform {
 public:
  static constexpr const char* kProgramName = "Lumivane";

  // The lock file that stands for the named lock.
  static QString LockFilePath(const std::string& name);

  bool AcquireSingleInstanceLock(const std::string& name) override;
  std::string ProgramFilePath() override;
  void UseSettingsRoot(const std::string& company, const std::string& application) override;
  int RunWorldWindow(const std::string& applicationName) override;

 private:
  // Held for the life of the process.
  std::unique_ptr<QLockFile> lock_;
};

}  // namespace lumivane
