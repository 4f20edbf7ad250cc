#include "platform/win32/win32_places_dialog.h"

#include "platform/win32/window_geometry.h"
#include "resource.h"
#include "setup/setup_ids.h"

namespace lumivane::win32 {

Win32PlacesDialog::Win32PlacesDialog(const PlacesChoice& choice)
    : setup_(*this, BuiltinPlaces(), choice) {}

std::optional<PlacesChoice> Win32PlacesDialog::Run(HINSTANCE instance, HWND owner) {
  if (RunModal(instance, IDD_PLACES, owner) != kIdOk) return std::nullopt;
  return setup_.choice();
}

INT_PTR Win32PlacesDialog::OnInitDialog(WPARAM, LPARAM) {
  CentreOverOwner(window());
  setup_.OnInitDialog();
  return TRUE;
}

INT_PTR Win32PlacesDialog::OnCommand(WPARAM wParam, LPARAM) {
  const int id = LOWORD(wParam);
  switch (HIWORD(wParam)) {
    case EN_CHANGE:
      if (id != ControlId(PlacesControl::Search)) return FALSE;
      setup_.OnSearchChanged();
      return TRUE;
    case LBN_DBLCLK:
      if (id != ControlId(PlacesControl::Matches)) return FALSE;
      return setup_.OnCommand(ControlId(PlacesControl::Add)) ? TRUE : FALSE;
    case BN_CLICKED:
      // The check box is read at OK.
      if (id == ControlId(PlacesControl::ShowNames)) return FALSE;
      return setup_.OnCommand(id) ? TRUE : FALSE;
    default: return FALSE;
  }
}

void Win32PlacesDialog::SetListItems(PlacesControl list, const std::vector<std::string>& items) {
  HWND box = GetDlgItem(window(), ControlId(list));
  SendMessageA(box, LB_RESETCONTENT, 0, 0);
  // The program's code page is UTF-8, so the A calls take the names as they are.
  for (const std::string& item : items) {
    SendMessageA(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  }
}

std::optional<std::size_t> Win32PlacesDialog::SelectedListItem(PlacesControl list) {
  const LRESULT selected = SendDlgItemMessageA(window(), ControlId(list), LB_GETCURSEL, 0, 0);
  if (selected == LB_ERR) return std::nullopt;
  return static_cast<std::size_t>(selected);
}

std::string Win32PlacesDialog::GetText(PlacesControl control) {
  HWND field = GetDlgItem(window(), ControlId(control));
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(field)) + 1, '\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextA(field, text.data(), static_cast<int>(text.size()))));
  return text;
}

void Win32PlacesDialog::SetChecked(PlacesControl control, bool checked) {
  CheckDlgButton(window(), ControlId(control), checked ? BST_CHECKED : BST_UNCHECKED);
}

bool Win32PlacesDialog::IsChecked(PlacesControl control) {
  return IsDlgButtonChecked(window(), ControlId(control)) == BST_CHECKED;
}

void Win32PlacesDialog::EndDialog(int result) { ::EndDialog(window(), result); }

}  // namespace lumivane::win32
