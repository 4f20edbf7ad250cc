#pragma once

#include <string>
#include <string_view>

namespace lumivane {

// The single-instance lock's name; it holds per user logon.
inline constexpr const char* kSingleInstanceLockName = "LumivaneMutex";
// The company key under which every application's settings live.
inline constexpr const char* kCompanyName = "Brevanta";

// What start-up needs from the platform.
class StartupPlatform {
 public:
  virtual ~StartupPlatform() = default;

  // Takes the named lock for the life of the process. False only when
  // another instance already holds it; any other failure lets start-up go on.
  virtual bool AcquireSingleInstanceLock(const std::string& name) = 0;
  // The full path of the program file that is running.
  virtual std::string ProgramFilePath() = 0;
  // Roots the settings under the company and application keys.
  virtual void UseSettingsRoot(const std::string& company, const std::string& application) = 0;
  // Builds the world window and runs it modally until it ends.
  virtual int RunWorldWindow(const std::string& applicationName) = 0;
};

// The program file's name without folder and extension: "Lumivane" for
// C:\Tools\Lumivane.exe. It names the settings key and every message box.
std::string ApplicationNameFromPath(std::string_view programPath);

// Starts the program: a second instance ends silently before it reads a
// setting or creates a window; otherwise the world window runs until it
// ends. Returns the process exit code (always 0: the run's result is ignored).
int RunApplication(StartupPlatform& platform);

}  // namespace lumivane
