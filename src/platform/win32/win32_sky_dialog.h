#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <string>

#include "platform/win32/dialog.h"
#include "setup/sky_setup.h"

namespace lumivane::win32 {

// The Sky dialog (template IDD_SKY): shows SkySetup's choice in the real
// check boxes and radio buttons and hands its commands to it.
class Win32SkyDialog final : public Dialog<Win32SkyDialog>, private SkyView {
 public:
  explicit Win32SkyDialog(const SkyChoice& choice);

  // What OK took, or nothing for Cancel (or a dialog that could not be made).
  std::optional<SkyChoice> Run(HINSTANCE instance, HWND owner);

 private:
  friend class Dialog<Win32SkyDialog>;

  INT_PTR OnInitDialog(WPARAM, LPARAM);
  INT_PTR OnCommand(WPARAM wParam, LPARAM);

  static constexpr std::array<MessageEntry<Win32SkyDialog>, 2> kMessageTable{{
      {WM_INITDIALOG, &Win32SkyDialog::OnInitDialog},
      {WM_COMMAND, &Win32SkyDialog::OnCommand},
  }};

  // SkyView
  void SetChecked(SkyControl control, bool checked) override;
  bool IsChecked(SkyControl control) override;
  void SetText(SkyControl control, const std::string& text) override;
  std::optional<std::string> PromptOpenFile(const std::string& initialName) override;
  void EndDialog(int result) override;
  std::optional<PlacesChoice> RunPlacesDialog(const PlacesChoice& choice) override;

  SkySetup setup_;
  HINSTANCE instance_ = nullptr;
};

// The open-file dialog of the Earth map and of the city lights, owned by the
// dialog that asks.
std::optional<std::string> PromptOpenPicture(HWND owner, const std::string& initialName);

}  // namespace lumivane::win32
