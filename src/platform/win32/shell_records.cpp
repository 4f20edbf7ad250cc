#include "platform/win32/shell_records.h"

#include <algorithm>

#include "app/tray_icon.h"

namespace lumivane::win32 {

// The first form of the record is 88 bytes on 32-bit Windows.
static_assert(sizeof(void*) != 4 || NOTIFYICONDATAA_V1_SIZE == 88);

NOTIFYICONDATAA TrayIconRecord(HWND window, HICON icon, const std::string& tip) {
  NOTIFYICONDATAA record{};
  // The first form of the record: understood by every version of the shell.
  record.cbSize = NOTIFYICONDATAA_V1_SIZE;
  record.hWnd = window;
  record.uID = kTrayIconId;
  record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  record.uCallbackMessage = TrayCallbackMessage;
  record.hIcon = icon;
  // The first form's tip field is 64 bytes with the terminating zero (the
  // core's tip length); the declared field is larger, but the shell reads
  // only what the size says.
  const std::size_t length = std::min(tip.size(), kTrayTipMaxLength);
  std::copy_n(tip.data(), length, record.szTip);
  record.szTip[length] = '\0';
  return record;
}

std::string OpenFileFilter(const std::string& barSeparated) {
  std::string filter = barSeparated;
  std::replace(filter.begin(), filter.end(), '|', '\0');
  return filter;
}

}  // namespace lumivane::win32
