#include "settings/path_characters.h"

namespace lumivane {
namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0u) == 0x80u; }

// A lead byte of a four-byte sequence: a character that UTF-16 writes as a
// surrogate pair.
bool StartsFourBytes(unsigned char byte) { return (byte & 0xF8u) == 0xF0u; }

// The length of the character starting at `at`, in bytes and in UTF-16 units.
struct Character {
  std::size_t bytes;
  std::size_t units;
};

Character CharacterAt(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  std::size_t end = at + 1;
  if (lead >= 0xC0u) {
    while (end < text.size() && IsContinuation(static_cast<unsigned char>(text[end]))) ++end;
  }
  return {end - at, StartsFourBytes(lead) && end - at == 4 ? 2u : 1u};
}

}  // namespace

std::size_t PathCharacters(std::string_view utf8) {
  std::size_t units = 0;
  for (std::size_t at = 0; at < utf8.size();) {
    const Character c = CharacterAt(utf8, at);
    units += c.units;
    at += c.bytes;
  }
  return units;
}

std::string_view CutToPathCharacters(std::string_view utf8, std::size_t maxCharacters) {
  std::size_t units = 0;
  std::size_t at = 0;
  while (at < utf8.size()) {
    const Character c = CharacterAt(utf8, at);
    if (units + c.units > maxCharacters) break;
    units += c.units;
    at += c.bytes;
  }
  return utf8.substr(0, at);
}

}  // namespace lumivane
