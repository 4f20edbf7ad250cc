#pragma once

#include <array>
#include <cstdint>

#include "settings/setting_table.h"
#include "setup/setup_ids.h"
#include "setup/setup_texts.h"

namespace lumivane {

// What a control of the setup dialog is; each shell draws each kind its way.
enum class SetupControlKind {
  DefaultButton,  // the button Enter presses
  Button,
  Trackbar,  // vertical, 1 at the top
  Label,     // one short line (or lines of its own), left-aligned
  CentredLabel,
  Text,  // left-aligned text that wraps
  GroupBox,
  CheckBox,
  RadioButton,  // one of a group: the first of a group starts it
  Icon,         // the program icon, sunken
  ListBox,      // a list of lines, one selectable
  EditField,    // one line of text the user types
};

// One control: its id (a command, SetupTrackbar or SetupCheckBox; -1 when
// nothing refers to it), its text ('&' marks the mnemonic) and its place in
// dialog units.
struct SetupControl {
  SetupControlKind kind;
  std::int32_t id;
  const char* text;
  std::int16_t x, y, width, height;
};

// The dialog's size in dialog units.
inline constexpr std::int16_t kSetupDialogWidth = 273;
inline constexpr std::int16_t kSetupDialogHeight = 306;

// The setup dialog's controls in their order, which is also the tab order.
// Each trackbar comes right after the label that names it: Windows' screen
// reader support takes a control's name from the text just before it.
// The Windows resource script holds the same template; a test compares them.
inline constexpr std::array<SetupControl, 26> kSetupControls{{
    {SetupControlKind::DefaultButton, kOkCommand, "&OK", 7, 197, 50, 14},
    {SetupControlKind::Button, kCancelCommand, "&Cancel", 7, 213, 50, 14},
    {SetupControlKind::Button, kExitCommand, "E&xit", 7, 285, 50, 14},
    {SetupControlKind::Label, -1, kNightDarknessLabel, 130, 205, 48, 8},
    {SetupControlKind::Trackbar, ControlId(SetupTrackbar::NightDarkness), "", 128, 217, 23, 75},
    {SetupControlKind::Label, -1, kWorldSizeLabel, 81, 205, 34, 8},
    {SetupControlKind::Trackbar, ControlId(SetupTrackbar::Scale), "", 98, 217, 23, 75},
    {SetupControlKind::CentredLabel, -1, "Smaller\n1%", 70, 218, 24, 18},
    {SetupControlKind::CentredLabel, -1, "Bigger\n300%", 70, 274, 27, 15},
    {SetupControlKind::Label, -1, "Darker", 154, 281, 22, 8},
    {SetupControlKind::Label, -1, "Lighter", 154, 219, 23, 8},
    {SetupControlKind::GroupBox, -1, "Setup", 65, 194, 201, 106},
    {SetupControlKind::Button, kSetDefaultCommand, "Set &Default", 7, 249, 50, 14},
    {SetupControlKind::Text, -1, kUsageText, 28, 80, 238, 43},
    {SetupControlKind::Text, -1, "PLEASE READ these short instructions:", 7, 68, 259, 11},
    {SetupControlKind::Text, -1, kEarthMapRequirementsText, 28, 125, 238, 27},
    {SetupControlKind::CheckBox, ControlId(SetupCheckBox::AlwaysOnTop), "&Always on top", 192, 267,
     61, 10},
    {SetupControlKind::CheckBox, ControlId(SetupCheckBox::ShowTrayIcon), "&Show tray icon", 192,
     282, 63, 10},
    {SetupControlKind::CheckBox, ControlId(SetupCheckBox::ShowSun), "Show S&un", 192, 208, 47, 10},
    {SetupControlKind::CheckBox, ControlId(SetupCheckBox::ShowMoon), "Show &Moon", 192, 237, 53,
     10},
    {SetupControlKind::Icon, -1, nullptr, 16, 15, 20, 20},
    {SetupControlKind::Button, kEarthMapCommand, "&Earth map...", 7, 233, 50, 14},
    {SetupControlKind::Text, -1, kRecoveryText, 28, 154, 238, 38},
    {SetupControlKind::CheckBox, ControlId(SetupCheckBox::RunAtStartup), "&Run at startup", 192,
     252, 63, 10},
    {SetupControlKind::CheckBox, ControlId(SetupCheckBox::SunCentered), "Su&n Centered", 192, 223,
     60, 10},
    // Last, so that every other control keeps its place in the tab order.
    {SetupControlKind::Button, kSkyCommand, "S&ky...", 7, 267, 50, 14},
}};

// The Sky dialog, opened from the setup's Sky button: the twilight bands,
// the precise sun and moon, and the city lights.
inline constexpr const char* kSkyCaption = "Sky";
inline constexpr std::int16_t kSkyDialogWidth = 180;
inline constexpr std::int16_t kSkyDialogHeight = 130;
inline constexpr std::array<SetupControl, 10> kSkyControls{{
    {SetupControlKind::CheckBox, ControlId(SkyControl::Twilight), "&Twilight bands", 7, 7, 120, 10},
    {SetupControlKind::CheckBox, ControlId(SkyControl::PreciseSky), "&Precise sun and moon", 7, 21,
     120, 10},
    {SetupControlKind::GroupBox, -1, "City lights", 7, 36, 166, 66},
    {SetupControlKind::RadioButton, ControlId(SkyControl::NoLights), "&None", 14, 48, 70, 10},
    {SetupControlKind::RadioButton, ControlId(SkyControl::BuiltinLights), "&Built-in", 14, 61, 70,
     10},
    {SetupControlKind::RadioButton, ControlId(SkyControl::PictureLights), "&Picture...", 14, 74, 70,
     10},
    {SetupControlKind::Label, ControlId(SkyControl::LightsFileName), "", 24, 87, 145, 10},
    {SetupControlKind::DefaultButton, kOkCommand, "OK", 69, 109, 50, 14},
    {SetupControlKind::Button, kCancelCommand, "Cancel", 123, 109, 50, 14},
    // Last, so that every other control keeps its place in the tab order.
    {SetupControlKind::Button, ControlId(SkyControl::Places), "P&laces...", 7, 109, 50, 14},
}};

// The Places dialog, opened from the Sky dialog: the pinned places, a search
// of the built-in places to add one, and whether the names show.
inline constexpr const char* kPlacesCaption = "Places";
inline constexpr std::int16_t kPlacesDialogWidth = 200;
inline constexpr std::int16_t kPlacesDialogHeight = 196;
inline constexpr std::array<SetupControl, 10> kPlacesControls{{
    {SetupControlKind::Label, -1, "&Pinned places:", 7, 7, 120, 8},
    {SetupControlKind::ListBox, ControlId(PlacesControl::PinList), "", 7, 17, 186, 56},
    {SetupControlKind::Button, ControlId(PlacesControl::Remove), "&Remove", 143, 76, 50, 14},
    {SetupControlKind::Label, -1, "&Add a place:", 7, 80, 120, 8},
    {SetupControlKind::EditField, ControlId(PlacesControl::Search), "", 7, 91, 131, 13},
    {SetupControlKind::Button, ControlId(PlacesControl::Add), "A&dd", 143, 90, 50, 14},
    {SetupControlKind::ListBox, ControlId(PlacesControl::Matches), "", 7, 107, 131, 48},
    {SetupControlKind::CheckBox, ControlId(PlacesControl::ShowNames), "Show place &names", 7, 160,
     100, 10},
    {SetupControlKind::DefaultButton, kOkCommand, "OK", 89, 175, 50, 14},
    {SetupControlKind::Button, kCancelCommand, "Cancel", 143, 175, 50, 14},
}};

// The name of each trackbar for screen readers: its label's text.
struct SetupTrackbarName {
  SetupTrackbar trackbar;
  const char* name;
};

inline constexpr std::array<SetupTrackbarName, 2> kSetupTrackbarNames{{
    {SetupTrackbar::NightDarkness, kNightDarknessLabel},
    {SetupTrackbar::Scale, kWorldSizeLabel},
}};

// Each check box and the on/off setting it shows, in the order OK stores
// them; shownAt is its place in the order the dialog first shows them. The
// start box has no setting of its own: it goes through the start-up entry.
struct SetupCheckBoxSetting {
  SetupCheckBox box;
  const FlagSetting* setting;
  int shownAt;
};

inline constexpr std::array<SetupCheckBoxSetting, 6> kSetupCheckBoxSettings{{
    {SetupCheckBox::AlwaysOnTop, &kAlwaysOnTop, 0},
    {SetupCheckBox::ShowTrayIcon, &kShowTrayIcon, 4},
    {SetupCheckBox::ShowSun, &kShowSun, 1},
    {SetupCheckBox::SunCentered, &kSunCentered, 2},
    {SetupCheckBox::RunAtStartup, nullptr, 5},
    {SetupCheckBox::ShowMoon, &kShowMoon, 3},
}};

}  // namespace lumivane
