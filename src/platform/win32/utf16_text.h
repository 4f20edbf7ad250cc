#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace lumivane::win32 {

// The program's UTF-8 text for the W functions, which take it whatever the
// code page (the UTF-8 code page comes only with Windows 10 1903).
inline std::wstring Utf16FromUtf8(std::string_view text) {
  if (text.empty()) return {};
  const int length =
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

}  // namespace lumivane::win32
