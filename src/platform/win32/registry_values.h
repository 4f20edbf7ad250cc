#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lumivane::win32 {

// Small checked registry accessors: a value counts only when the call
// succeeded and the value has the expected type and size.

// A REG_DWORD of exactly 4 bytes.
std::optional<std::int32_t> QueryDword(HKEY key, const std::string& name);
// A REG_SZ; its terminating zero (if stored) is not part of the text.
std::optional<std::string> QueryString(HKEY key, const std::string& name);

bool SetDword(HKEY key, const std::string& name, std::int32_t value);
// Stored with its terminating zero. Text with an embedded zero cannot be
// stored as REG_SZ and is refused.
bool SetString(HKEY key, const std::string& name, std::string_view text);

}  // namespace lumivane::win32
