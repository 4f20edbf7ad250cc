#include "app/application.h"

namespace lumivane {

std::string ApplicationNameFromPath(std::string_view programPath) {
  const std::size_t separator = programPath.find_last_of("/\\");
  std::string_view name =
      separator == std::string_view::npos ? programPath : programPath.substr(separator + 1);
  const std::size_t dot = name.find_last_of('.');
  if (dot != std::string_view::npos && dot > 0) name = name.substr(0, dot);
  return std::string(name);
}

int RunApplication(StartupPlatform& platform) {
  if (!platform.AcquireSingleInstanceLock(kSingleInstanceLockName)) return 0;
  const std::string applicationName = ApplicationNameFromPath(platform.ProgramFilePath());
  platform.UseSettingsRoot(kCompanyName, applicationName);
  platform.RunWorldWindow(applicationName);
  return 0;
}

}  // namespace lumivane
