#pragma once

#include <cstddef>
#include <cstdint>

// The numbers the Windows resource script gives the dialogs' controls: plain
// #defines, read by the core too so that each number is written once.
#include "resource.h"

namespace lumivane {

// How the setup dialog ends. OK and Cancel have the platform's values of
// IDOK and IDCANCEL; the names differ so that they never meet those macros.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdExit = 77;    // the program ends
inline constexpr int kIdReload = 88;  // the Earth map, then the settings, are reloaded

// Command ids of the dialog's buttons.
inline constexpr int kOkCommand = 1;
inline constexpr int kCancelCommand = 2;
inline constexpr int kExitCommand = IDC_EXIT;
inline constexpr int kSetDefaultCommand = IDC_SET_DEFAULT;
inline constexpr int kEarthMapCommand = IDC_EARTH_MAP;
inline constexpr int kSkyCommand = IDC_SKY;

// The two vertical trackbars, positions 1 (top) to 100 (bottom).
enum class SetupTrackbar : std::int32_t {
  NightDarkness = IDC_NIGHT_DARKNESS,
  Scale = IDC_SCALE,
};

// The six check boxes.
enum class SetupCheckBox : std::int32_t {
  AlwaysOnTop = IDC_ALWAYS_ON_TOP,
  ShowTrayIcon = IDC_SHOW_TRAY_ICON,
  ShowSun = IDC_SHOW_SUN,
  ShowMoon = IDC_SHOW_MOON,
  RunAtStartup = IDC_RUN_AT_STARTUP,
  SunCentered = IDC_SUN_CENTERED,
};

// The Sky dialog's controls.
enum class SkyControl : std::int32_t {
  Twilight = IDC_TWILIGHT,
  PreciseSky = IDC_PRECISE_SKY,
  NoLights = IDC_NO_LIGHTS,
  BuiltinLights = IDC_BUILTIN_LIGHTS,
  PictureLights = IDC_PICTURE_LIGHTS,
  LightsFileName = IDC_LIGHTS_FILE_NAME,  // the chosen picture's name, a label
  Places = IDC_PLACES,                    // opens the Places dialog
};

// The Places dialog's controls.
enum class PlacesControl : std::int32_t {
  PinList = IDC_PIN_LIST,       // the pinned places
  Search = IDC_PLACE_SEARCH,    // a name typed to add a place
  Matches = IDC_PLACE_MATCHES,  // the listed places whose name starts so
  Add = IDC_ADD_PLACE,
  Remove = IDC_REMOVE_PLACE,
  ShowNames = IDC_SHOW_PLACE_NAMES,
};

constexpr std::int32_t ControlId(SetupTrackbar trackbar) {
  return static_cast<std::int32_t>(trackbar);
}
constexpr std::int32_t ControlId(SetupCheckBox box) { return static_cast<std::int32_t>(box); }
constexpr std::int32_t ControlId(SkyControl control) { return static_cast<std::int32_t>(control); }
constexpr std::int32_t ControlId(PlacesControl control) {
  return static_cast<std::int32_t>(control);
}

// Both trackbars: a tick every 10 over their setting's range.
inline constexpr std::int32_t kTrackbarTickFrequency = 10;

// The file dialog's name field holds 260 characters with the terminating
// zero (characters as Windows counts them, not UTF-8 bytes).
inline constexpr std::size_t kMaxInitialFileNameLength = 259;

}  // namespace lumivane
