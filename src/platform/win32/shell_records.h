#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "resource.h"

namespace lumivane::win32 {

// The world window's own message for the notification-area icon's events.
constexpr UINT TrayCallbackMessage = WM_USER + 100;  // 0x0464
constexpr UINT kTrayIconId = IDI_APP_ICON;

// The notification-area icon record in its first form (88 bytes on 32-bit
// Windows): window, id 128, message + icon + tip, the tip cut to 63
// characters. Without a window or icon it still describes the removal.
NOTIFYICONDATAA TrayIconRecord(HWND window, HICON icon, const std::string& tip);

// "a|b|c|d||" as the open-file dialog takes it: "a\0b\0c\0d\0\0".
std::string OpenFileFilter(const std::string& barSeparated);

}  // namespace lumivane::win32
