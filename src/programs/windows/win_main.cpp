// Lumivane for Windows: one process, one thread, one modal world window.
#include <windows.h>

#include "app/application.h"
#include "platform/win32/win32_startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  lumivane::win32::Win32StartupPlatform platform(instance);
  return lumivane::RunApplication(platform);
}
