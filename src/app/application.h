#pragma once

#include <string>
#include <string_view>

#include "app/ports.h"

namespace lumivane {

// The single-instance lock's name; it holds per user logon.
inline constexpr const char* kSingleInstanceLockName = "LumivaneMutex";
// The company key under which every application's settings live.
inline constexpr const char* kCompanyName = "Brevanta";

// The program file's name without folder and extension: "Lumivane" for
// C:\Tools\Lumivane.exe. It names the settings key and every message box.
std::string ApplicationNameFromPath(std::string_view programPath);

// Starts the program: a second instance ends silently before it reads a
// setting or creates a window; otherwise the world window runs until it
// ends. Returns the process exit code (always 0: the run's result is ignored).
int RunApplication(StartupPlatform& platform);

}  // namespace lumivane
