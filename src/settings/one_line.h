#pragma once

#include <string>
#include <string_view>

namespace lumivane {

// The text as one line of a message that shows what it holds and nothing
// else reaches the terminal: control characters (C0, DEL and C1) and bytes
// that are not UTF-8 become \xNN, a backslash becomes \\ so those stay
// unambiguous. Valid UTF-8 text passes unchanged.
std::string OneLine(std::string_view text);

}  // namespace lumivane
