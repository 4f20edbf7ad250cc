#pragma once

#include <windows.h>

#include <oleacc.h>

#include <string>

namespace lumivane::win32 {

// The description screen readers give a window (its accessible object's
// description), set through the system's dynamic annotation. Where the
// system cannot annotate, nothing is described and nothing fails.
class AccessibleDescription {
 public:
  AccessibleDescription();
  ~AccessibleDescription();
  AccessibleDescription(const AccessibleDescription&) = delete;
  AccessibleDescription& operator=(const AccessibleDescription&) = delete;

  // Replaces the window's description and tells listening screen readers.
  void Describe(HWND window, const std::string& utf8);

 private:
  bool comInitialised_ = false;
  IAccPropServices* services_ = nullptr;
  HWND described_ = nullptr;
};

}  // namespace lumivane::win32
