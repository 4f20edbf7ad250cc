#include "platform/win32/win32_sky_dialog.h"

#include <commdlg.h>

#include <algorithm>
#include <array>
#include <string_view>

#include "platform/win32/shell_records.h"
#include "platform/win32/win32_places_dialog.h"
#include "platform/win32/window_geometry.h"
#include "resource.h"
#include "settings/path_characters.h"
#include "setup/setup_ids.h"
#include "setup/setup_texts.h"

namespace lumivane::win32 {

Win32SkyDialog::Win32SkyDialog(const SkyChoice& choice) : setup_(*this, choice) {}

std::optional<SkyChoice> Win32SkyDialog::Run(HINSTANCE instance, HWND owner) {
  instance_ = instance;
  if (RunModal(instance, IDD_SKY, owner) != kIdOk) return std::nullopt;
  return setup_.choice();
}

INT_PTR Win32SkyDialog::OnInitDialog(WPARAM, LPARAM) {
  CentreOverOwner(window());
  setup_.OnInitDialog();
  return TRUE;
}

INT_PTR Win32SkyDialog::OnCommand(WPARAM wParam, LPARAM) {
  if (HIWORD(wParam) != BN_CLICKED) return FALSE;
  return setup_.OnCommand(LOWORD(wParam)) ? TRUE : FALSE;
}

void Win32SkyDialog::SetChecked(SkyControl control, bool checked) {
  CheckDlgButton(window(), ControlId(control), checked ? BST_CHECKED : BST_UNCHECKED);
}

bool Win32SkyDialog::IsChecked(SkyControl control) {
  return IsDlgButtonChecked(window(), ControlId(control)) == BST_CHECKED;
}

void Win32SkyDialog::SetText(SkyControl control, const std::string& text) {
  SetDlgItemTextA(window(), ControlId(control), text.c_str());
}

std::optional<std::string> Win32SkyDialog::PromptOpenFile(const std::string& initialName) {
  return PromptOpenPicture(window(), initialName);
}

void Win32SkyDialog::EndDialog(int result) { ::EndDialog(window(), result); }

std::optional<PlacesChoice> Win32SkyDialog::RunPlacesDialog(const PlacesChoice& choice) {
  Win32PlacesDialog dialog(choice);
  return dialog.Run(instance_, window());
}

std::optional<std::string> PromptOpenPicture(HWND owner, const std::string& initialName) {
  const std::string filter = OpenFileFilter(kEarthMapFileFilter);
  // A path of MAX_PATH characters in UTF-8 (the program's code page): up to
  // three bytes for each UTF-16 unit.
  std::array<char, 3 * MAX_PATH> fileName{};
  const std::string_view initial = CutToPathCharacters(initialName, kMaxInitialFileNameLength);
  std::copy_n(initial.data(), std::min(initial.size(), fileName.size() - 1), fileName.data());

  OPENFILENAMEA request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = owner;
  request.lpstrFilter = filter.c_str();
  request.nFilterIndex = 1;
  request.lpstrFile = fileName.data();
  request.nMaxFile = static_cast<DWORD>(fileName.size());
  request.lpstrDefExt = kEarthMapDefaultExtension;
  request.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
  // A name too long for the buffer fails like a cancel: nothing is stored.
  if (!GetOpenFileNameA(&request)) return std::nullopt;
  return std::string(fileName.data());
}

}  // namespace lumivane::win32
