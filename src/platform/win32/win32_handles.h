#pragma once

#include <windows.h>

#include <utility>

namespace lumivane::win32 {

// One small owner per handle kind; each releases its handle the way it was
// obtained. Copies are deleted so a handle is released exactly once.

// A window's device context from GetDC, released with ReleaseDC.
class WindowDC {
 public:
  explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDC() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;

  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// The owner of a handle that one call, Close, releases. Moves hand the
// handle over.
template <typename Handle, auto Close>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  ~UniqueHandle() { Reset(); }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  void Reset() {
    if (handle_ != nullptr) Close(handle_);
    handle_ = nullptr;
  }

  Handle handle_ = nullptr;
};

using Bitmap = UniqueHandle<HBITMAP, DeleteObject>;
// Predefined roots such as HKEY_CURRENT_USER are never held here.
using RegistryKey = UniqueHandle<HKEY, RegCloseKey>;
// A file from CreateFile, which gives INVALID_HANDLE_VALUE rather than null
// on failure: hold null then.
using FileHandle = UniqueHandle<HANDLE, CloseHandle>;

}  // namespace lumivane::win32
