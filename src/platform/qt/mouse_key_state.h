#pragma once

#include <Qt>
#include <cstdint>

namespace lumivane {

// Key-state flags of a mouse move, with the values the world window's drag
// logic tests (MK_LBUTTON and friends).
inline constexpr std::uint32_t kMouseKeyLeftButton = 0x0001;
inline constexpr std::uint32_t kMouseKeyRightButton = 0x0002;
inline constexpr std::uint32_t kMouseKeyShift = 0x0004;
inline constexpr std::uint32_t kMouseKeyControl = 0x0008;
inline constexpr std::uint32_t kMouseKeyMiddleButton = 0x0010;

// The flags for the buttons held and the modifier keys down during a mouse
// event.
std::uint32_t MouseKeyState(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);

}  // namespace lumivane
