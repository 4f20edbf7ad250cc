#include "platform/win32/run_key_registration.h"

#include <windows.h>

#include <utility>
#include <vector>

#include "platform/win32/registry_values.h"
#include "platform/win32/win32_handles.h"

namespace lumivane::win32 {

namespace {

RegistryKey OpenRunKey() {
  HKEY key = nullptr;
  const LONG status = RegOpenKeyA(HKEY_CURRENT_USER, RunKeyRegistration::kRunKeyPath, &key);
  return status == ERROR_SUCCESS ? RegistryKey(key) : RegistryKey();
}

}  // namespace

std::string ModuleFilePath() {
  // The whole path, however long: a cut path would register another file.
  // The entry's own length limit is checked by the caller.
  for (DWORD capacity = MAX_PATH; capacity <= 32768; capacity *= 2) {
    std::vector<char> buffer(capacity, '\0');
    const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), capacity);
    if (length == 0) return {};
    if (length < capacity) return std::string(buffer.data(), length);
  }
  return {};
}

RunKeyRegistration::RunKeyRegistration(std::string valueName) : valueName_(std::move(valueName)) {}

std::string RunKeyRegistration::ProgramPath() { return ModuleFilePath(); }

bool RunKeyRegistration::Register(const std::string& quotedCommand) {
  const RegistryKey key = OpenRunKey();
  return key && SetString(key.get(), valueName_, quotedCommand);
}

void RunKeyRegistration::Unregister() {
  const RegistryKey key = OpenRunKey();
  // The value may not exist; that is fine.
  if (key) RegDeleteValueA(key.get(), valueName_.c_str());
}

}  // namespace lumivane::win32
