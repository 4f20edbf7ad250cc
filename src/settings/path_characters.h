#pragma once

#include <cstddef>
#include <string_view>

namespace lumivane {

// Paths are UTF-8 in every program, but their length limits are Windows'
// and count UTF-16 code units: a character beyond the Basic Multilingual
// Plane (most emoji) counts two, every other character one, whatever its
// number of bytes. A byte that is not valid UTF-8 counts one.
std::size_t PathCharacters(std::string_view utf8);

// The longest start of the text with at most maxCharacters characters so
// counted; a character is never split.
std::string_view CutToPathCharacters(std::string_view utf8, std::size_t maxCharacters);

}  // namespace lumivane
