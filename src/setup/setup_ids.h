#pragma once

#include <cstddef>
#include <cstdint>

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
inline constexpr int kExitCommand = 4;
inline constexpr int kSetDefaultCommand = 5;
inline constexpr int kEarthMapCommand = 6;
inline constexpr int kSkyCommand = 7;

// The two vertical trackbars, positions 1 (top) to 100 (bottom).
enum class SetupTrackbar : std::int32_t {
  NightDarkness = 1001,
  Scale = 1002,
};

// The six check boxes.
enum class SetupCheckBox : std::int32_t {
  AlwaysOnTop = 1003,
  ShowTrayIcon = 1004,
  ShowSun = 1005,
  ShowMoon = 1006,
  RunAtStartup = 1009,
  SunCentered = 1010,
};

// The Sky dialog's controls.
enum class SkyControl : std::int32_t {
  Twilight = 1101,
  PreciseSky = 1102,
  NoLights = 1103,
  BuiltinLights = 1104,
  PictureLights = 1105,
  LightsFileName = 1106,  // the chosen picture's name, a label
};

constexpr std::int32_t ControlId(SetupTrackbar trackbar) {
  return static_cast<std::int32_t>(trackbar);
}
constexpr std::int32_t ControlId(SetupCheckBox box) { return static_cast<std::int32_t>(box); }
constexpr std::int32_t ControlId(SkyControl control) {
  return static_cast<std::int32_t>(control);
}

// Both trackbars: a tick every 10 over their setting's range.
inline constexpr std::int32_t kTrackbarTickFrequency = 10;

// The file dialog's name field holds 260 characters with the terminating
// zero (characters as Windows counts them, not UTF-8 bytes).
inline constexpr std::size_t kMaxInitialFileNameLength = 259;

}  // namespace lumivane
