#pragma once

#include <cstddef>
#include <string_view>

namespace lumivane {

// The character that starts at text[at], where at < text.size(): its code
// point and its length in bytes, or length 0 where the bytes there are not
// well-formed UTF-8 (a stray continuation byte, a cut sequence, an overlong
// form, a surrogate or a value past U+10FFFF). Callers then go on at the
// next byte, each in its own way.
struct Utf8Sequence {
  char32_t codePoint = 0;
  std::size_t length = 0;
};
Utf8Sequence Utf8SequenceAt(std::string_view text, std::size_t at);

}  // namespace lumivane
