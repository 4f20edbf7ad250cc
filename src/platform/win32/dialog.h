#pragma once

#include <windows.h>

namespace lumivane::win32 {

// One entry of a dialog's message table: the message and the member that
// handles it. The handler's result is the dialog procedure's: FALSE lets the
// platform's default dialog processing run as well.
template <typename Derived>
struct MessageEntry {
  UINT message;
  INT_PTR (Derived::*handler)(WPARAM wParam, LPARAM lParam);
};

// A modal dialog built from a template and driven by Derived's static
// kMessageTable. The object is found again through DWLP_USER, stored when
// WM_INITDIALOG arrives; messages before that get default processing.
template <typename Derived>
class Dialog {
 public:
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  // Runs the dialog until it ends; the EndDialog result, or -1 when the
  // dialog could not be created.
  INT_PTR RunModal(HINSTANCE instance, int templateId, HWND owner) {
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(templateId), owner, &Dialog::Procedure,
                           reinterpret_cast<LPARAM>(this));
  }

  HWND window() const { return window_; }

 protected:
  Dialog() = default;
  ~Dialog() = default;

  // For the messages whose result travels through DWLP_MSGRESULT.
  INT_PTR Result(LRESULT result) {
    SetWindowLongPtrA(window_, DWLP_MSGRESULT, result);
    return TRUE;
  }

 private:
  static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Dialog* self = nullptr;
    if (message == WM_INITDIALOG) {
      self = reinterpret_cast<Dialog*>(lParam);
      self->window_ = window;
      SetWindowLongPtrA(window, DWLP_USER, lParam);
    } else {
      self = reinterpret_cast<Dialog*>(GetWindowLongPtrA(window, DWLP_USER));
    }
    if (self == nullptr) return FALSE;
    auto* derived = static_cast<Derived*>(self);
    for (const auto& entry : Derived::kMessageTable) {
      if (entry.message == message) return (derived->*entry.handler)(wParam, lParam);
    }
    return FALSE;
  }

  HWND window_ = nullptr;
};

}  // namespace lumivane::win32
