#include "platform/win32/win32_startup.h"

#include <commctrl.h>

#include "app/system_clock.h"
#include "platform/win32/registry_profile_store.h"
#include "platform/win32/run_key_registration.h"
#include "platform/win32/win32_images.h"
#include "platform/win32/win32_world_window.h"

namespace lumivane::win32 {

bool Win32StartupPlatform::AcquireSingleInstanceLock(const std::string& name) {
  // Deliberately never closed: the lock lasts as long as the process. No
  // "Global\" prefix, so it holds per logon session.
  CreateMutexA(nullptr, FALSE, name.c_str());
  return GetLastError() != ERROR_ALREADY_EXISTS;
}

std::string Win32StartupPlatform::ProgramFilePath() { return ModuleFilePath(); }

void Win32StartupPlatform::UseSettingsRoot(const std::string& company,
                                           const std::string& application) {
  company_ = company;
  application_ = application;
}

int Win32StartupPlatform::RunWorldWindow(const std::string& applicationName) {
  InitCommonControls();

  RegistryProfileStore store(company_, application_);
  Win32MapImageLoader mapLoader;
  RunKeyRegistration startup;
  Win32BuiltinImages images(instance_);
  SystemClock clock;
  const WorldWindowServices services{
      instance_, LoadAppIcon(instance_), applicationName, store, mapLoader, startup, images, clock};
  Win32WorldWindow world(services);
  return static_cast<int>(world.Run());
}

}  // namespace lumivane::win32
