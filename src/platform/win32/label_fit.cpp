#include "platform/win32/label_fit.h"

#include <string>

#include "platform/win32/win32_handles.h"

namespace lumivane::win32 {

void GrowToFitText(HWND label, bool centred) {
  const int length = GetWindowTextLengthW(label);
  if (length <= 0) return;
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(label, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(length));

  // Measured as the static control draws it: its font, lines broken only
  // where the text breaks them.
  const WindowDC dc(label);
  if (dc.get() == nullptr) return;
  const auto font = reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0));
  const HGDIOBJ previous = font != nullptr ? SelectObject(dc.get(), font) : nullptr;
  RECT needed{};
  DrawTextW(dc.get(), text.c_str(), length, &needed, DT_CALCRECT | DT_EXPANDTABS);
  if (previous != nullptr) SelectObject(dc.get(), previous);

  RECT place{};
  GetWindowRect(label, &place);
  MapWindowPoints(nullptr, GetParent(label), reinterpret_cast<POINT*>(&place), 2);
  const LONG missingWidth = needed.right - (place.right - place.left);
  const LONG missingHeight = needed.bottom - (place.bottom - place.top);
  if (missingWidth <= 0 && missingHeight <= 0) return;
  if (missingWidth > 0) {
    const LONG left = centred ? missingWidth / 2 : 0;
    place.left -= left;
    place.right += missingWidth - left;
  }
  if (missingHeight > 0) place.bottom += missingHeight;
  SetWindowPos(label, nullptr, place.left, place.top, place.right - place.left,
               place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace lumivane::win32
