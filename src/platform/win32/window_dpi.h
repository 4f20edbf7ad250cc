#pragma once

#include <windows.h>

namespace lumivane::win32 {

// The DPI of the window's monitor (96 at 100 %), as the program sees it: the
// monitor's own where the system tells each window its DPI (Windows 10 1607
// and later), else the system's.
UINT WindowDpi(HWND window);

// Device pixels for each pixel at 96 DPI.
inline double ScaleOfDpi(UINT dpi) { return dpi == 0 ? 1.0 : dpi / 96.0; }

}  // namespace lumivane::win32
