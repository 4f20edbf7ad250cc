#pragma once

#include <windows.h>

#include <array>

#include "platform/win32/dialog.h"
#include "settings/ports.h"
#include "setup/lumivane_setup.h"
#include "setup/setup_view.h"

namespace lumivane::win32 {

// The setup dialog (template IDD_SETUP): shows LumivaneSetup's values in the real
// trackbars and check boxes and hands its commands to it.
class Win32SetupDialog final : public Dialog<Win32SetupDialog>,
                               private SetupView,
                               private MessageSink {
 public:
  Win32SetupDialog(ProfileStore& store, StartupRegistration& registration,
                   std::string applicationName);

  // 1 OK, 2 Cancel, 77 Exit, 88 reload, -1 when it could not be created.
  int Run(HINSTANCE instance, HWND owner);

 private:
  friend class Dialog<Win32SetupDialog>;

  INT_PTR OnInitDialog(WPARAM, LPARAM);
  INT_PTR OnCommand(WPARAM wParam, LPARAM);

  static constexpr std::array<MessageEntry<Win32SetupDialog>, 2> kMessageTable{{
      {WM_INITDIALOG, &Win32SetupDialog::OnInitDialog},
      {WM_COMMAND, &Win32SetupDialog::OnCommand},
  }};

  // SetupView
  void ConfigureTrackbar(SetupTrackbar trackbar, std::int32_t tickFrequency, std::int32_t minimum,
                         std::int32_t maximum) override;
  void SetTrackbarPosition(SetupTrackbar trackbar, std::int32_t position) override;
  std::int32_t TrackbarPosition(SetupTrackbar trackbar) override;
  void SetChecked(SetupCheckBox box, bool checked) override;
  bool IsChecked(SetupCheckBox box) override;
  std::optional<std::string> PromptOpenFile(const std::string& initialName) override;
  std::optional<SkyChoice> RunSkyDialog(const SkyChoice& choice) override;
  void EndDialog(int result) override;

  // MessageSink: boxes owned by the setup dialog.
  void ShowMessage(const std::string& text) override;

  LRESULT SendToControl(int id, UINT message, WPARAM wParam, LPARAM lParam);

  std::string applicationName_;
  LumivaneSetup setup_;
};

}  // namespace lumivane::win32
