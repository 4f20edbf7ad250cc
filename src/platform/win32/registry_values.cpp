#include "platform/win32/registry_values.h"

#include <cstring>
#include <limits>
#include <vector>

namespace lumivane::win32 {

std::optional<std::int32_t> QueryDword(HKEY key, const std::string& name) {
  DWORD type = 0;
  DWORD value = 0;
  DWORD size = sizeof value;
  const LONG status =
      RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

std::optional<std::string> QueryString(HKEY key, const std::string& name) {
  // The value may change between the size query and the read: try again a
  // few times when it grew.
  for (int attempt = 0; attempt < 3; ++attempt) {
    DWORD type = 0;
    DWORD size = 0;
    LONG status = RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size);
    if (status != ERROR_SUCCESS || type != REG_SZ) return std::nullopt;
    std::vector<char> data(size + 1, '\0');
    status = RegQueryValueExA(key, name.c_str(), nullptr, &type,
                              reinterpret_cast<BYTE*>(data.data()), &size);
    if (status == ERROR_MORE_DATA) continue;
    if (status != ERROR_SUCCESS || type != REG_SZ || size >= data.size()) return std::nullopt;
    // Stored data need not end with a zero; stop at the first one.
    data[size] = '\0';
    return std::string(data.data(), std::strlen(data.data()));
  }
  return std::nullopt;
}

bool SetDword(HKEY key, const std::string& name, std::int32_t value) {
  const DWORD data = static_cast<DWORD>(value);
  return RegSetValueExA(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                        sizeof data) == ERROR_SUCCESS;
}

bool SetString(HKEY key, const std::string& name, std::string_view text) {
  if (text.find('\0') != std::string_view::npos) return false;
  if (text.size() >= std::numeric_limits<DWORD>::max()) return false;
  const std::string terminated(text);
  return RegSetValueExA(key, name.c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(terminated.c_str()),
                        static_cast<DWORD>(terminated.size() + 1)) == ERROR_SUCCESS;
}

}  // namespace lumivane::win32
