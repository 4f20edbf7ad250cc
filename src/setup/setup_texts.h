#pragma once

#include <array>

namespace lumivane {

// The setup dialog's fixed texts, for every shell. In captions '&' marks the
// mnemonic; "\n" is a line break.
inline constexpr const char* kSetupCaption = "Lumivane";

// The labels above the trackbars, which also name them for screen readers.
inline constexpr const char* kWorldSizeLabel = "World size";
inline constexpr const char* kNightDarknessLabel = "Night darkness";

inline constexpr const char* kUsageText =
    "Hold left button down on the world and move the mouse to move the Lumivane window.\n"
    "Right click on the world to show this screen.\n"
    "You can exit Lumivane by left clicking on the world and then pressing the \"Esc\" key.";
inline constexpr const char* kEarthMapRequirementsText =
    "The Earth map file must be a windows bitmap (bmp).\n"
    "To have a correct result, the planisphere projection must be equirectangular.";
// The same requirement for Linux, whose program reads more formats.
inline constexpr const char* kEarthMapRequirementsTextLinux =
    "The Earth map file must be a bmp, png or jpeg picture.\n"
    "To have a correct result, the planisphere projection must be equirectangular.";
inline constexpr const char* kRecoveryText =
    "If you have any problem, halt the program using the task manager and reset the Lumivane "
    "state by deleting the HKEY_CURRENT_USER\\Software\\Brevanta\\Lumivane key in the registry "
    "(CAUTION: ask experts if you're not sure what you're doing)";
// The same note for Linux, where the state is an INI file and an autostart
// entry under the user's configuration folder.
inline constexpr const char* kRecoveryTextLinux =
    "If you have any problem, halt the program (kill Lumivane) and reset the Lumivane state by "
    "deleting $XDG_CONFIG_HOME/Brevanta/Lumivane.ini and "
    "$XDG_CONFIG_HOME/autostart/Lumivane.desktop "
    "(CAUTION: ask experts if you're not sure what you're doing)";

// The open-file dialog: entries separated by '|', each a description and its
// pattern, the list ended by "||"; the first entry is selected.
inline constexpr const char* kEarthMapFileFilter =
    "Windows bitmap (*.bmp)|*.bmp|All files (*.*)|*.*||";
inline constexpr const char* kEarthMapDefaultExtension = "bmp";

// The same filter for toolkits that take a list of "description (patterns)";
// there "all files" is "*", as file names need no dot.
inline constexpr std::array<const char*, 2> kEarthMapNameFilters{
    "Windows bitmap (*.bmp)",
    "All files (*)",
};

}  // namespace lumivane
