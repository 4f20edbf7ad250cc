#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/dialog.h"
#include "setup/places_setup.h"

namespace lumivane::win32 {

// The Places dialog (template IDD_PLACES): shows PlacesSetup's lists in real
// list boxes and hands its typing, clicks and double-clicks to it.
class Win32PlacesDialog final : public Dialog<Win32PlacesDialog>, private PlacesView {
 public:
  explicit Win32PlacesDialog(const PlacesChoice& choice);

  // What OK took, or nothing for Cancel (or a dialog that could not be made).
  std::optional<PlacesChoice> Run(HINSTANCE instance, HWND owner);

 private:
  friend class Dialog<Win32PlacesDialog>;

  INT_PTR OnInitDialog(WPARAM, LPARAM);
  INT_PTR OnCommand(WPARAM wParam, LPARAM);

  static constexpr std::array<MessageEntry<Win32PlacesDialog>, 2> kMessageTable{{
      {WM_INITDIALOG, &Win32PlacesDialog::OnInitDialog},
      {WM_COMMAND, &Win32PlacesDialog::OnCommand},
  }};

  // PlacesView
  void SetListItems(PlacesControl list, const std::vector<std::string>& items) override;
  std::optional<std::size_t> SelectedListItem(PlacesControl list) override;
  std::string GetText(PlacesControl control) override;
  void SetChecked(PlacesControl control, bool checked) override;
  bool IsChecked(PlacesControl control) override;
  void EndDialog(int result) override;

  PlacesSetup setup_;
};

}  // namespace lumivane::win32
