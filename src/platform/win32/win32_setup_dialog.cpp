#include "platform/win32/win32_setup_dialog.h"

#include <commctrl.h>

#include <utility>

#include "platform/win32/label_fit.h"
#include "platform/win32/win32_sky_dialog.h"
#include "platform/win32/window_geometry.h"
#include "resource.h"
#include "setup/setup_controls.h"

namespace lumivane::win32 {

Win32SetupDialog::Win32SetupDialog(ProfileStore& store, StartupRegistration& registration,
                                   std::string applicationName)
    : applicationName_(std::move(applicationName)), setup_(store, *this, registration, *this) {}

int Win32SetupDialog::Run(HINSTANCE instance, HWND owner) {
  // The owner is disabled while the dialog runs.
  return static_cast<int>(RunModal(instance, IDD_SETUP, owner));
}

INT_PTR Win32SetupDialog::OnInitDialog(WPARAM, LPARAM) {
  // The children are in template order, the order of the shared description.
  HWND child = GetWindow(window(), GW_CHILD);
  for (const SetupControl& control : kSetupControls) {
    if (child == nullptr) break;
    if (control.kind == SetupControlKind::Label || control.kind == SetupControlKind::CentredLabel) {
      GrowToFitText(child, control.kind == SetupControlKind::CentredLabel);
    }
    child = GetWindow(child, GW_HWNDNEXT);
  }
  CentreOverOwner(window());
  setup_.OnInitDialog();
  return TRUE;  // the focus goes to the first control, OK
}

INT_PTR Win32SetupDialog::OnCommand(WPARAM wParam, LPARAM) {
  // Buttons, their mnemonics, Enter and Esc all arrive as BN_CLICKED (0);
  // check boxes only change their own state until OK reads them.
  if (HIWORD(wParam) != BN_CLICKED) return FALSE;
  return setup_.OnCommand(LOWORD(wParam)) ? TRUE : FALSE;
}

LRESULT Win32SetupDialog::SendToControl(int id, UINT message, WPARAM wParam, LPARAM lParam) {
  return SendDlgItemMessageA(window(), id, message, wParam, lParam);
}

void Win32SetupDialog::ConfigureTrackbar(SetupTrackbar trackbar, std::int32_t tickFrequency,
                                         std::int32_t minimum, std::int32_t maximum) {
  const int id = static_cast<int>(trackbar);
  SendToControl(id, TBM_SETTICFREQ, static_cast<WPARAM>(tickFrequency), 0);
  SendToControl(id, TBM_SETRANGEMIN, TRUE, minimum);
  SendToControl(id, TBM_SETRANGEMAX, TRUE, maximum);
}

void Win32SetupDialog::SetTrackbarPosition(SetupTrackbar trackbar, std::int32_t position) {
  SendToControl(static_cast<int>(trackbar), TBM_SETPOS, TRUE, position);
}

std::int32_t Win32SetupDialog::TrackbarPosition(SetupTrackbar trackbar) {
  return static_cast<std::int32_t>(SendToControl(static_cast<int>(trackbar), TBM_GETPOS, 0, 0));
}

void Win32SetupDialog::SetChecked(SetupCheckBox box, bool checked) {
  SendToControl(static_cast<int>(box), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool Win32SetupDialog::IsChecked(SetupCheckBox box) {
  return SendToControl(static_cast<int>(box), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::optional<std::string> Win32SetupDialog::PromptOpenFile(const std::string& initialName) {
  return PromptOpenPicture(window(), initialName);
}

std::optional<SkyChoice> Win32SetupDialog::RunSkyDialog(const SkyChoice& choice) {
  Win32SkyDialog sky(choice);
  return sky.Run(reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window(), GWLP_HINSTANCE)),
                 window());
}

void Win32SetupDialog::EndDialog(int result) { ::EndDialog(window(), result); }

void Win32SetupDialog::ShowMessage(const std::string& text) {
  MessageBoxA(window(), text.c_str(), applicationName_.c_str(), MB_OK);
}

}  // namespace lumivane::win32
