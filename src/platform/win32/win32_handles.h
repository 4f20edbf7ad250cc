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

// The owner of a handle that one call releases: Traits names the handle's
// type and the call. Moves hand the handle over.
template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

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
    if (handle_ != nullptr) Traits::Close(handle_);
    handle_ = nullptr;
  }

  Handle handle_ = nullptr;
};

struct BitmapTraits {
  using Handle = HBITMAP;
  static void Close(HBITMAP bitmap) { DeleteObject(bitmap); }
};
using Bitmap = UniqueHandle<BitmapTraits>;

// Predefined roots such as HKEY_CURRENT_USER are never held here.
struct RegistryKeyTraits {
  using Handle = HKEY;
  static void Close(HKEY key) { RegCloseKey(key); }
};
using RegistryKey = UniqueHandle<RegistryKeyTraits>;

// A file from CreateFile, which gives INVALID_HANDLE_VALUE rather than null
// on failure: hold null then.
struct FileHandleTraits {
  using Handle = HANDLE;
  static void Close(HANDLE file) { CloseHandle(file); }
};
using FileHandle = UniqueHandle<FileHandleTraits>;

}  // namespace lumivane::win32
