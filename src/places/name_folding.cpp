#include "places/name_folding.h"

namespace lumivane {

namespace {

// The code point at text[at] and its length in bytes; length 1 and code
// point 0xFFFFFFFF for a byte that does not start valid UTF-8.
std::pair<char32_t, std::size_t> DecodeUtf8(std::string_view text, std::size_t at) {
  constexpr std::pair<char32_t, std::size_t> kInvalid{0xFFFFFFFF, 1};
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
  const unsigned char lead = byte(0);
  std::size_t length = 0;
  char32_t cp = 0;
  char32_t smallest = 0;
  if (lead < 0x80) return {lead, 1};
  if ((lead & 0xE0) == 0xC0) {
    length = 2, cp = lead & 0x1F, smallest = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, cp = lead & 0x0F, smallest = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, cp = lead & 0x07, smallest = 0x10000;
  } else {
    return kInvalid;
  }
  if (at + length > text.size()) return kInvalid;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return kInvalid;
    cp = cp << 6 | (byte(i) & 0x3F);
  }
  if (cp < smallest || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return kInvalid;
  return {cp, length};
}

bool IsAsciiAlnum(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

}  // namespace

std::string NameFolding::Fold(std::string_view text) const {
  std::string key;
  key.reserve(text.size());
  bool space = false;
  const auto emit = [&](std::string_view part) {
    if (space && !key.empty()) key += ' ';
    space = false;
    key += part;
  };
  for (std::size_t at = 0; at < text.size();) {
    const auto [cp, length] = DecodeUtf8(text, at);
    const std::string_view original = text.substr(at, length);
    at += length;
    if (cp < 0x80) {
      char c = static_cast<char>(cp);
      if (IsAsciiAlnum(c)) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        emit(std::string_view(&c, 1));
      } else {
        space = true;
      }
      continue;
    }
    std::string_view entry = "\xFF\xFF";
    for (const Range& range : ranges_) {
      if (cp >= range.first && cp - range.first < range.count) {
        entry = range.entries.substr(2 * (cp - range.first), 2);
        break;
      }
    }
    if (entry == "\xFF\xFF") {
      emit(original);
    } else if (entry == std::string_view(" \0", 2)) {
      space = true;
    } else if (entry[0] != '\0') {
      emit(entry.substr(0, entry[1] == '\0' ? 1 : 2));
    }
  }
  return key;
}

}  // namespace lumivane
