#include "platform/win32/accessible_description.h"

#include "platform/win32/utf16_text.h"

namespace lumivane::win32 {

AccessibleDescription::AccessibleDescription() {
  // S_FALSE (already initialised on this thread) also needs its uninitialise.
  comInitialised_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  if (!comInitialised_) return;
  if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IAccPropServices, reinterpret_cast<void**>(&services_)))) {
    services_ = nullptr;
  }
}

AccessibleDescription::~AccessibleDescription() {
  if (services_ != nullptr) {
    if (described_ != nullptr) {
      MSAAPROPID description = PROPID_ACC_DESCRIPTION;
      services_->ClearHwndProps(described_, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                &description, 1);
    }
    services_->Release();
  }
  if (comInitialised_) CoUninitialize();
}

void AccessibleDescription::Describe(HWND window, const std::string& utf8) {
  if (services_ == nullptr || window == nullptr) return;
  const std::wstring text = Utf16FromUtf8(utf8);
  if (FAILED(services_->SetHwndPropStr(window, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                       PROPID_ACC_DESCRIPTION, text.c_str()))) {
    return;
  }
  described_ = window;
  NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, window, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace lumivane::win32
