#include "setup/lumivane_setup.h"

#include <string>

#include "settings/run_entry.h"
#include "settings/setting_keys.h"

namespace lumivane {
namespace {

std::int32_t CheckState(SetupView& view, SetupCheckBox box) { return view.IsChecked(box) ? 1 : 0; }

// Cuts to at most maxLength bytes without splitting a UTF-8 sequence.
std::string CutText(std::string text, std::size_t maxLength) {
  if (text.size() <= maxLength) return text;
  std::size_t end = maxLength;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0u) == 0x80u) --end;
  text.resize(end);
  return text;
}

}  // namespace

LumivaneSetup::LumivaneSetup(ProfileStore& store, SetupView& view,
                             StartupRegistration& registration, MessageSink& owner)
    : store_(store), view_(view), registration_(registration), owner_(owner) {}

void LumivaneSetup::OnInitDialog() {
  for (SetupTrackbar trackbar : {SetupTrackbar::WorldSize, SetupTrackbar::NightDarkness}) {
    view_.ConfigureTrackbar(trackbar, kTrackbarTickFrequency, kTrackbarMin, kTrackbarMax);
  }
  view_.SetTrackbarPosition(SetupTrackbar::WorldSize,
                            ClampPercentSetting(ReadSetting(store_, kSizeScale, 30)));
  view_.SetTrackbarPosition(SetupTrackbar::NightDarkness,
                            ClampPercentSetting(ReadSetting(store_, kColorsNightFilter, 50)));

  view_.SetChecked(SetupCheckBox::AlwaysOnTop, ReadSetting(store_, kPositionOnTop, 0) != 0);
  view_.SetChecked(SetupCheckBox::ShowSun, ReadSetting(store_, kOptionsSun, 1) != 0);
  view_.SetChecked(SetupCheckBox::SunCentered, ReadSetting(store_, kOptionsSunCentered, 0) != 0);
  view_.SetChecked(SetupCheckBox::ShowMoon, ReadSetting(store_, kOptionsMoon, 1) != 0);
  view_.SetChecked(SetupCheckBox::ShowTrayIcon, ReadSetting(store_, kOptionsTray, 1) != 0);
  view_.SetChecked(SetupCheckBox::RunAtStartup, ReadSetting(store_, kOptionsStart, 0) != 0);
}

void LumivaneSetup::OnOK() {
  WriteSetting(store_, kSizeScale, view_.TrackbarPosition(SetupTrackbar::WorldSize));
  WriteSetting(store_, kColorsNightFilter, view_.TrackbarPosition(SetupTrackbar::NightDarkness));
  WriteSetting(store_, kPositionOnTop, CheckState(view_, SetupCheckBox::AlwaysOnTop));
  WriteSetting(store_, kOptionsTray, CheckState(view_, SetupCheckBox::ShowTrayIcon));
  WriteSetting(store_, kOptionsSun, CheckState(view_, SetupCheckBox::ShowSun));
  WriteSetting(store_, kOptionsSunCentered, CheckState(view_, SetupCheckBox::SunCentered));
  // Writes options/start with what could actually be done.
  UpdateRunEntry(CheckState(view_, SetupCheckBox::RunAtStartup), store_, registration_, owner_);
  WriteSetting(store_, kOptionsMoon, CheckState(view_, SetupCheckBox::ShowMoon));
  view_.EndDialog(kIdOk);
}

void LumivaneSetup::OnCancel() { view_.EndDialog(kIdCancel); }

void LumivaneSetup::OnExit() { view_.EndDialog(kIdExit); }

void LumivaneSetup::OnSetDefault() {
  // Anchor, position and options/start stay as they are.
  WriteSetting(store_, kSizeScale, 30);
  WriteSetting(store_, kColorsNightFilter, 50);
  WriteSetting(store_, kPositionOnTop, 0);
  WriteSetting(store_, kOptionsTray, 1);
  WriteSetting(store_, kOptionsSun, 1);
  WriteSetting(store_, kOptionsSunCentered, 0);
  WriteSetting(store_, kOptionsMoon, 1);
  WriteSetting(store_, kOptionsImage, kDefaultImageSetting);
  view_.EndDialog(kIdReload);
}

void LumivaneSetup::OnEarthMap() {
  const std::string initialName =
      CutText(ReadSetting(store_, kOptionsImage, kDefaultImageSetting), kMaxInitialFileNameLength);
  const std::optional<std::string> chosen = view_.PromptOpenFile(initialName);
  if (!chosen) return;
  WriteSetting(store_, kOptionsImage, *chosen);
  view_.EndDialog(kIdReload);
}

bool LumivaneSetup::OnCommand(int commandId) {
  switch (commandId) {
    case kOkCommand: OnOK(); return true;
    case kCancelCommand: OnCancel(); return true;
    case kExitCommand: OnExit(); return true;
    case kSetDefaultCommand: OnSetDefault(); return true;
    case kEarthMapCommand: OnEarthMap(); return true;
    default: return false;
  }
}

}  // namespace lumivane
